#!/bin/sh
# Makes keys, parameters, signatures and key containers with the openssl tool for tests/test_keys.cpp.
# Usage: make_keys.sh DIR. Prints one line per file made, "TYPE<TAB>FILE", TYPE the type number to read it as.
set -e
d=$1
mkdir -p "$d"
cd "$d"
o() { openssl "$@" 2>/dev/null; }
out() { printf '%s\t%s\n' "$1" "$d/$2"; }
for p in 2 3; do
  o genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -pkeyopt rsa_keygen_primes:$p -out rsa$p.pem
  o rsa -in rsa$p.pem -traditional -outform DER -out rsa$p.der && out 99 rsa$p.der
done
o rsa -in rsa2.pem -RSAPublicKey_out -outform DER -out rsapub.der && out 56 rsapub.der
o pkcs8 -topk8 -nocrypt -in rsa2.pem -outform DER -out p8.der && out 103 p8.der
o genpkey -algorithm RSA-PSS -pkeyopt rsa_keygen_bits:2048 -pkeyopt rsa_pss_keygen_md:sha256 -pkeyopt rsa_pss_keygen_mgf1_md:sha256 -pkeyopt rsa_pss_keygen_saltlen:32 -outform DER -out pss.der && out 103 pss.der
for enc in named_curve explicit; do
  o genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -pkeyopt ec_param_enc:$enc -out ec-$enc.pem
  o ec -in ec-$enc.pem -outform DER -out ec-$enc.der && out 202 ec-$enc.der
  o ec -in ec-$enc.pem -no_public -outform DER -out ec-$enc-nopub.der && out 202 ec-$enc-nopub.der
done
o genpkey -genparam -algorithm DSA -pkeyopt dsa_paramgen_bits:2048 -out dsap.pem
o dsaparam -in dsap.pem -outform DER -out dsap.der && out 60 dsap.der
o genpkey -paramfile dsap.pem -out dsa.pem
echo data > msg
for k in 58:dsa 59:ec-named_curve; do o dgst -sha256 -sign ${k#*:}.pem -out ${k#*:}.sig msg && out ${k%%:*} ${k#*:}.sig; done
o genpkey -genparam -algorithm DH -pkeyopt group:ffdhe2048 -out dh.pem
o dhparam -in dh.pem -outform DER -out dh.der && out 102 dh.der
o genpkey -algorithm SM2 -out sm2.pem
o pkeyutl -encrypt -inkey sm2.pem -in msg -out sm2.enc && out 203 sm2.enc
pw="-passout pass:pw" legacy="-provider legacy -provider default"
for v in "aes:-v2 aes-256-cbc -v2prf hmacWithSHA256" "sha1:-v2 aes-128-cbc -v2prf hmacWithSHA1" "rc2:$legacy -v2 rc2-cbc" \
  "3des:-v1 PBE-SHA1-3DES" "des:$legacy -v1 PBE-MD5-DES"; do
  o pkcs8 -topk8 -in rsa2.pem ${v#*:} $pw -outform DER -out e-${v%%:*}.der && out 104 e-${v%%:*}.der
done
o req -x509 -new -key rsa2.pem -subj /CN=ca -days 2 -out ca.pem
o req -x509 -new -key ec-named_curve.pem -subj /CN=k -days 2 -out c.pem
for v in plain:"" nomaciter:-nomaciter nomac:-nomac clear:"-keypbe NONE -certpbe NONE" legacy:-legacy; do
  n=${v%%:*}
  o pkcs12 -export -inkey ec-named_curve.pem -in c.pem -certfile ca.pem ${v#*:} $pw -out p12-$n.p12 && out 113 p12-$n.p12
done
o cms -encrypt -in msg -recip ca.pem -keyopt rsa_padding_mode:oaep -keyopt rsa_oaep_md:sha256 -outform DER -out oaep.der && out 100 oaep.der
