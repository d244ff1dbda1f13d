#!/usr/bin/env bash
# Issues TLS-like leaf certificates (DER) into DIR with the openssl command:
# a P-256 root, then leaves with RSA-2048 and P-256 keys carrying the usual
# web PKI extensions (SAN, key usage, EKU, basic constraints, key
# identifiers, AIA, CRL distribution point, certificate policies).
#   bench/make_leaves.sh DIR [COUNT]
set -eu
dir=$1
count=${2:-12}
cd "$dir"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout ca.key -out ca.pem -days 3650 \
  -subj "/C=US/O=Bench Trust Services/CN=Bench Root R1" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
cat > leaf.cnf <<'CNF'
[v3]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth, clientAuth
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
authorityInfoAccess = OCSP;URI:http://ocsp.bench.example/, caIssuers;URI:http://pki.bench.example/r1.der
crlDistributionPoints = URI:http://crl.bench.example/r1.crl
certificatePolicies = 2.23.140.1.2.2, 1.3.6.1.4.1.44947.1.1.1
subjectAltName = @san
[san]
DNS.1 = www.example.com
DNS.2 = example.com
DNS.3 = api.example.com
DNS.4 = static.example.com
DNS.5 = *.cdn.example.com
CNF
for i in $(seq 1 "$count"); do
  if [ $((i % 2)) -eq 0 ]; then key=(-newkey rsa:2048); else key=(-newkey ec -pkeyopt ec_paramgen_curve:P-256); fi
  openssl req -new "${key[@]}" -nodes -keyout "leaf$i.key" -out "leaf$i.csr" \
    -subj "/C=US/ST=California/L=San Francisco/O=Example Inc $i/CN=www.example.com" 2>/dev/null
  openssl x509 -req -in "leaf$i.csr" -CA ca.pem -CAkey ca.key -set_serial "0x$(openssl rand -hex 16)" -days 90 \
    -sha256 -extfile leaf.cnf -extensions v3 -outform DER -out "leaf$i.der" 2>/dev/null
done
