#!/bin/sh
# ldap-utils' requests in folder $1 (tests/test_ldap.cpp): a listener on 127.0.0.1 appends each LDAPMessage it
# reads to stream.bin and answers it with success under the matching response tag; five clients run against it.
set -fu
cd "$1"
timeout 20 python3 - <<'PY' &
import contextlib, socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(5)
open("port", "w").write(str(s.getsockname()[1]))
out = open("stream.bin", "wb")
for _ in range(5):  # one connection a client
    c, _ = s.accept(); c.settimeout(5)
    f = c.makefile("rb")
    with contextlib.suppress(OSError):
        while len(m := f.read(2)) == 2:
            k = m[1] & 0x7F if m[1] & 0x80 else 0
            m += f.read(k); m += f.read(int.from_bytes(m[2:], "big") if k else m[1])
            out.write(m); out.flush()
            body = m[2 + k:]; idn = body[1]; op = body[2 + idn] & 0x1F  # 02 n ID, then the operation
            if op == 2: break  # unbind
            reply = {0: 0x61, 3: 0x65, 23: 0x78}.get(op, 0x60 | (op + 1))
            c.sendall(bytes([0x30, idn + 11]) + body[:2 + idn] + bytes([reply, 7, 10, 1, 0, 4, 0, 4, 0]))
    c.close()
PY
for i in 1 2 3 4 5 6 7 8 9 10; do [ -s port ] && break; sleep 1; done
url="-x -H ldap://127.0.0.1:$(cat port)"
printf 'dn: cn=a,dc=x\nchangetype: modify\nadd: mail\nmail: a@x\n-\ndelete: sn\n-\nreplace: cn\ncn: a\ncn: b\n-\n\n%b%b%b' \
  'dn: cn=n,dc=x\nchangetype: add\nobjectClass: person\ncn: n\nsn: s\n\n' \
  'dn: cn=n,dc=x\nchangetype: modrdn\nnewrdn: cn=m\ndeleteoldrdn: 1\nnewsuperior: ou=p,dc=x\n\n' \
  'dn: cn=m,ou=p,dc=x\nchangetype: delete\n' > mods.ldif
for c in "ldapsearch $url -b dc=x -E pr=5/noprompt -M (&(cn=a)(sn=*)(|(mail=x*y*z)(uid>=1)(uid<=9))(!(cn~=b))(cn:dn:2.5.13.5:=c)) cn mail" \
    "ldapmodify $url -f mods.ldif" "ldapcompare $url cn=a,dc=x cn:a" "ldapwhoami $url" "ldappasswd $url -s secret cn=a,dc=x"; do
  timeout 3 $c >/dev/null 2>&1
done
wait
