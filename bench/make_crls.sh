#!/usr/bin/env bash
# Makes CRLs with `openssl ca -gencrl` into DIR: for each COUNT given, DIR/crlCOUNT.der with COUNT revoked
# certificates (each with a reason code extension), signed by a P-256 CA, with
# authorityKeyIdentifier and crlNumber. The CA database is written directly (one line per revoked serial),
# since `openssl ca -revoke` once per entry would take hours at 100,000.
#   bench/make_crls.sh DIR COUNT...
set -eu
dir=$1
shift
cd "$dir"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout crlca.key -out crlca.pem -days 3650 \
  -subj "/C=US/O=Bench Trust Services/CN=Bench CRL Issuer" 2>/dev/null
cat > crlca.cnf <<'CNF'
[ ca ]
default_ca = bench
[ bench ]
database = ./crlindex.txt
certificate = ./crlca.pem
private_key = ./crlca.key
crlnumber = ./crlnumber
default_md = sha256
default_crl_days = 7
crl_extensions = crl_ext
[ crl_ext ]
authorityKeyIdentifier = keyid:always
CNF
for count in "$@"; do
  echo 01 > crlnumber
  echo "unique_subject = no" > crlindex.txt.attr
  awk -v n="$count" 'BEGIN {
      split("keyCompromise superseded cessationOfOperation affiliationChanged unspecified", r, " ");
      for (i = 1; i <= n; i++) {
        reason = r[(i % 5) + 1];
        printf "R\t300101000000Z\t24%02d%02d%02d%02d%02dZ,%s\t%08X5AA53CC3\tunknown\t/CN=leaf %d\n",
          (i % 12) + 1, (i % 28) + 1, i % 24, i % 60, (i * 7) % 60, reason, i, i;
      }
    }' > crlindex.txt
  openssl ca -config crlca.cnf -gencrl -out crl.pem 2>/dev/null
  openssl crl -in crl.pem -outform DER -out "crl$count.der"
done
rm -f crl.pem crlindex.txt* crlnumber* crlca.key
