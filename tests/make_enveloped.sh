#!/bin/sh
# Makes enveloped, encrypted and digested messages with the openssl tool into the folder $1: key transport to
# RSA recipients (issuer-and-serial and key-identifier rids, OAEP), key agreement with EC and DH recipients,
# several recipients, a KEK and a password recipient, a streamed message, SM4, EncryptedData and DigestedData.
set -e
cd "$1"
printf 'enveloped content\n' > msg.txt
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj /CN=CA -days 30 2>/dev/null
printf 'subjectKeyIdentifier=hash\n' > ext.cnf
for n in r1 r2; do
  openssl req -newkey rsa:2048 -nodes -keyout $n.key -out $n.csr -subj /CN=$n 2>/dev/null
  openssl x509 -req -in $n.csr -CA ca.pem -CAkey ca.key -CAcreateserial -extfile ext.cnf -out $n.pem \
    -days 30 2>/dev/null
done
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout ec.key -out ec.pem -subj /CN=ec \
  -days 30 2>/dev/null
openssl genpkey -genparam -algorithm DHX -pkeyopt dh_paramgen_prime_len:1024 -out dhp.pem 2>/dev/null
openssl genpkey -paramfile dhp.pem -out dh.key 2>/dev/null
openssl pkey -in dh.key -pubout -out dh.pub
openssl x509 -req -in r1.csr -CA ca.pem -CAkey ca.key -CAcreateserial -force_pubkey dh.pub -out dh.pem \
  -days 30 2>/dev/null
e="openssl cms -encrypt -binary -in msg.txt -outform DER"
$e -aes-256-cbc -recip r1.pem -out ktri.der
$e -aes-256-cbc -recip r1.pem -keyid -out ktri_keyid.der
$e -aes-128-cbc -recip r1.pem -keyopt rsa_padding_mode:oaep -keyopt rsa_oaep_md:sha256 -out ktri_oaep.der
$e -aes-128-cbc -recip ec.pem -out kari_ec.der
$e -aes-128-cbc -recip dh.pem -out kari_dh.der
$e -aes-128-cbc -recip r1.pem -recip r2.pem -recip ec.pem -out several.der
$e -aes-128-cbc -secretkey 000102030405060708090A0B0C0D0E0F -secretkeyid 0A0B0C -out kekri.der
$e -aes-128-cbc -pwri_password secret -out pwri.der
$e -aes-128-cbc -recip r1.pem -stream -out stream.ber
$e -sm4-cbc -recip r1.pem -out sm4.der
openssl cms -EncryptedData_encrypt -binary -in msg.txt -aes-128-cbc -secretkey 000102030405060708090A0B0C0D0E0F \
  -outform DER -out encrypted.der
openssl cms -digest_create -binary -in msg.txt -md sha256 -outform DER -out digested.der
