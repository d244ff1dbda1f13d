#!/bin/sh
# osslsigncode signatures in folder $1: t.exe, a 1,024-byte PE32 image, signed with -n/-i (s.exe, s.p7), -ph (ph.p7),
# -nest (n.p7); a script (ps.p7); req.der, the TimeStampRequest posted to a listener on 127.0.0.1.
set -eu
cd "$1"
python3 - <<'PY'
import struct
b = bytearray(1024)
struct.pack_into("<2s58xI4sHHIIIHH", b, 0, b"MZ", 0x40, b"PE", 0x14C, 1, 0, 0, 0, 0xE0, 0x0102)
struct.pack_into("<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII", b, 0x58, 0x10B, 0, 0, 0x200, 0, 0, 0x1000, 0x1000, 0x1000,
                 0x400000, 0x1000, 0x200, 4, 0, 0, 0, 4, 0, 0, 0x2000, 0x200, 0, 2, 0, 0x100000, 0x1000, 0x100000,
                 0x1000, 0, 16)
struct.pack_into("<8sIIIIIIHHI", b, 0x138, b".text", 0x200, 0x1000, 0x200, 0x200, 0, 0, 0, 0, 0x60000020)
open("t.exe", "wb").write(b)
PY
printf 'Write-Output 1\r\n' > t.ps1
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=t -keyout k.pem -out c.pem -addext extendedKeyUsage=codeSigning \
  >/dev/null 2>&1
sign() { osslsigncode sign -certs c.pem -key k.pem "$@" >/dev/null; }
sign -h sha256 -n "Korvu test" -i https://example.org/k -in t.exe -out s.exe
sign -h sha256 -ph -in t.exe -out ph.exe
sign -h sha1 -nest -in s.exe -out n.exe
sign -h sha256 -in t.ps1 -out ps.ps1
for f in s.exe ph.exe n.exe ps.ps1; do osslsigncode extract-signature -in $f -out "${f%.*}.p7" >/dev/null; done
timeout 30 python3 -c '
import http.server, subprocess
class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        open("req.b64", "wb").write(self.rfile.read(int(self.headers["Content-Length"])))
        self.send_error(500)
server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
signing = subprocess.Popen("osslsigncode sign -certs c.pem -key k.pem -h sha256 -in t.exe -out ts.exe -t "
                           "http://127.0.0.1:%d/ >/dev/null 2>&1" % server.server_address[1], shell=True)
server.handle_request()
signing.wait()
' 2>/dev/null
base64 -d req.b64 > req.der
