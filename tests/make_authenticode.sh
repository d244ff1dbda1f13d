#!/bin/sh
# osslsigncode signatures in folder $1 (tests/test_authenticode.cpp): t.exe, a 1,024-byte PE32 image, signed with
# -n/-i (s.p7, verify.txt), -ph (ph.p7), again with -nest (n.p7); a script (ps.p7); req.der, the TimeStampRequest
# osslsigncode posts in Base64 to a listener on 127.0.0.1 (one connection, at most 20 seconds).
set -eu
cd "$1"
python3 - <<'PY'
import struct
b = bytearray(1024)
b[0:2] = b"MZ"
struct.pack_into("<I", b, 0x3C, 0x40)
b[0x40:0x44] = b"PE\0\0"
struct.pack_into("<HHIIIHH", b, 0x44, 0x14C, 1, 0, 0, 0, 0xE0, 0x0102)
struct.pack_into("<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII", b, 0x58, 0x10B, 0, 0, 0x200, 0, 0, 0x1000, 0x1000, 0x1000,
                 0x400000, 0x1000, 0x200, 4, 0, 0, 0, 4, 0, 0, 0x2000, 0x200, 0, 2, 0, 0x100000, 0x1000, 0x100000,
                 0x1000, 0, 16)
b[0x138:0x140] = b".text\0\0\0"
struct.pack_into("<IIIIIIHHI", b, 0x140, 0x200, 0x1000, 0x200, 0x200, 0, 0, 0, 0, 0x60000020)
open("t.exe", "wb").write(b)
PY
printf 'Write-Output 1\r\n' > t.ps1
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=t -keyout k.pem -out c.pem -addext extendedKeyUsage=codeSigning \
  >/dev/null 2>&1
sign() { osslsigncode sign -certs c.pem -key k.pem "$@" >/dev/null; }
sign -h sha256 -n "Korvu test" -i https://example.org/k -in t.exe -out s.exe
sign -h sha256 -ph -in t.exe -out ph.exe
sign -h sha1 -nest -in s.exe -out n.exe
sign -h sha256 -in t.ps1 -out s.ps1
for f in s ph n; do osslsigncode extract-signature -in $f.exe -out $f.p7 >/dev/null; done
osslsigncode extract-signature -in s.ps1 -out ps.p7 >/dev/null
osslsigncode verify -CAfile c.pem -in s.exe > verify.txt 2>&1 || true
timeout 30 python3 -c '
import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(1); s.settimeout(20)
print(s.getsockname()[1], flush=True)
c, _ = s.accept(); c.settimeout(10)
data = b""
while b"\r\n\r\n" not in data:
    data += c.recv(65536)
head, _, body = data.partition(b"\r\n\r\n")
n = int([l.split(b":")[1] for l in head.split(b"\r\n") if l.lower().startswith(b"content-length")][0])
while len(body) < n:
    body += c.recv(65536)
open("req.b64", "wb").write(body)
c.sendall(b"HTTP/1.0 500 No\r\nContent-Length: 0\r\n\r\n"); c.close()
' > port.txt &
for i in 1 2 3 4 5 6 7 8 9 10; do [ -s port.txt ] && break; sleep 1; done
timeout 30 osslsigncode sign -certs c.pem -key k.pem -h sha256 -t "http://127.0.0.1:$(cat port.txt)/" \
  -in t.exe -out ts.exe >/dev/null 2>&1 || true
wait
base64 -d req.b64 > req.der
