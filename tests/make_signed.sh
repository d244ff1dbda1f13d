#!/bin/sh
# Makes CRLs and a certification request with the openssl tool, for
# tests/test_crl.cpp and tests/test_request.cpp. Usage: make_signed.sh DIR
#   DIR/full.pem      CRL, four entries revoked with -crl_reason, -crl_compromise, -crl_CA_compromise and
#                     -crl_hold; authorityKeyIdentifier and an issuingDistributionPoint with fullname,
#                     onlysomereasons and indirectCRL; nextUpdate 20550101000000Z (a GeneralizedTime)
#   DIR/relative.pem  the same entries; issuingDistributionPoint with relativename
#   DIR/label.pem     full.pem under the label "CRL"
#   DIR/req.pem       request with challengePassword and requested SAN, basic constraints, EKU, policies,
#                     CRL distribution points and AIA
set -e
d=$1
mkdir -p "$d/newcerts"
cd "$d"
: > index.txt
echo 1000 > serial
echo 01 > crlnumber
cat > ca.cnf <<CNF
[ ca ]
default_ca = CA_default
[ CA_default ]
dir = .
database = ./index.txt
new_certs_dir = ./newcerts
certificate = ./ca.pem
private_key = ./ca.key
serial = ./serial
crlnumber = ./crlnumber
default_md = sha256
default_crl_days = 7
policy = policy_any
crl_extensions = crl_full
[ policy_any ]
commonName = supplied
[ crl_full ]
authorityKeyIdentifier = keyid:always
issuingDistributionPoint = critical, @idp_full
[ idp_full ]
fullname = URI:http://crl.example/ca.crl
onlysomereasons = keyCompromise, CACompromise
indirectCRL = TRUE
[ crl_relative ]
authorityKeyIdentifier = keyid:always
issuingDistributionPoint = critical, @idp_relative
[ idp_relative ]
relativename = idp_rdn
onlysomereasons = superseded
[ idp_rdn ]
CN = Partition 1
[ req ]
prompt = no
distinguished_name = dn
attributes = attrs
[ dn ]
CN = Korvu Request
O = Example
[ attrs ]
challengePassword = korvu-secret
CNF
openssl ecparam -name prime256v1 -genkey -noout -out ca.key 2>/dev/null
openssl req -new -x509 -key ca.key -subj "/CN=Korvu CRL CA" -days 30 -out ca.pem 2>/dev/null
i=0
for how in "-crl_reason superseded" "-crl_compromise 20240101000000Z" "-crl_CA_compromise 20230601120000Z" \
           "-crl_hold holdInstructionReject"; do
  i=$((i + 1))
  openssl ecparam -name prime256v1 -genkey -noout -out leaf$i.key 2>/dev/null
  openssl req -new -key leaf$i.key -subj "/CN=leaf $i" -out leaf$i.csr 2>/dev/null
  openssl x509 -req -in leaf$i.csr -CA ca.pem -CAkey ca.key -set_serial $((4096 + i)) -days 30 \
    -out leaf$i.pem 2>/dev/null
  # shellcheck disable=SC2086
  openssl ca -config ca.cnf -revoke leaf$i.pem $how 2>/dev/null
done
openssl ca -config ca.cnf -gencrl -crl_nextupdate 20550101000000Z -out full.pem 2>/dev/null
openssl ca -config ca.cnf -gencrl -crlexts crl_relative -out relative.pem 2>/dev/null
sed 's/X509 CRL/CRL/' full.pem > label.pem
openssl ecparam -name prime256v1 -genkey -noout -out req.key 2>/dev/null
openssl req -new -config ca.cnf -key req.key -out req.pem \
  -addext "subjectAltName = DNS:korvu.example, IP:192.0.2.1" \
  -addext "basicConstraints = critical, CA:TRUE, pathlen:1" \
  -addext "extendedKeyUsage = serverAuth, clientAuth" \
  -addext "certificatePolicies = 1.2.3.4, 2.23.140.1.2.1" \
  -addext "crlDistributionPoints = URI:http://crl.example/a.crl" \
  -addext "authorityInfoAccess = OCSP;URI:http://ocsp.example, caIssuers;URI:http://ca.example/ca.cer" \
  2>/dev/null
