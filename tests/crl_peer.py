#!/usr/bin/env python3
"""Reads CRLs and PKCS#10 requests with pyasn1-modules (rfc5280, rfc2986) and
prints what it finds, for tests/test_crl.cpp and tests/test_request.cpp to
compare with the library's getters.

Usage: crl_peer.py CORPUS_DIR        every file of type CertificateList or
                                     CertificationRequest in the manifest
       crl_peer.py --file KIND PATH  one DER or PEM file (KIND crl or req)

Output, one record per file:

  file <path> <crl|req>
  der <hex>                        the DER read (PEM and leading text undone)
  c <component> <hex DER>|-        a component's DER ('-' when absent)
  e <serial DER hex> <date DER hex> <entry extension OIDs|none>   (CRLs)
  s <name> <text>
  end

or "refused <path> <reason>" when pyasn1 does not read it.
Exit status 0, or 2 when pyasn1-modules is missing.
"""

import base64
import os
import sys

try:
    from pyasn1.codec.der import decoder, encoder
    from pyasn1_modules import rfc2986, rfc5280
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)

LABELS = {"crl": ("X509 CRL", "CRL"), "req": ("CERTIFICATE REQUEST", "NEW CERTIFICATE REQUEST")}


def der_of(data, kind):
    """The DER of a file: itself, or the first PEM block under one of the kind's labels."""
    if not data.lstrip().startswith(b"-----") and b"-----BEGIN " not in data:
        return data
    text = data.decode("latin-1")
    for label in LABELS[kind]:
        begin = f"-----BEGIN {label}-----"
        end = f"-----END {label}-----"
        i = text.find(begin)
        if i < 0:
            continue
        j = text.find(end, i)
        return base64.b64decode("".join(text[i + len(begin):j].split()))
    return None


def enc(v):
    return encoder.encode(v).hex()


def opt(v):
    return enc(v) if v.isValue else "-"


def oids(exts):
    if not exts.isValue:
        return "none"
    return ",".join(str(e["extnID"]) for e in exts) or "none"


def crl(v, out):
    tbs = v["tbsCertList"]
    out.append(f"c version {opt(tbs['version'])}")
    out.append(f"c signature {enc(tbs['signature'])}")
    out.append(f"c issuer {enc(tbs['issuer'])}")
    out.append(f"c thisUpdate {enc(tbs['thisUpdate'])}")
    out.append(f"c nextUpdate {opt(tbs['nextUpdate'])}")
    out.append(f"c signatureAlgorithm {enc(v['signatureAlgorithm'])}")
    out.append(f"c signatureValue {enc(v['signature'])}")
    revoked = tbs["revokedCertificates"]
    out.append(f"s entries {len(revoked) if revoked.isValue else '-'}")
    if revoked.isValue:
        for e in revoked:
            out.append(f"e {enc(e['userCertificate'])} {enc(e['revocationDate'])} {oids(e['crlEntryExtensions'])}")
    out.append(f"s extensions {oids(tbs['crlExtensions'])}")


def req(v, out):
    info = v["certificationRequestInfo"]
    out.append(f"c version {enc(info['version'])}")
    out.append(f"c subject {enc(info['subject'])}")
    out.append(f"c subjectPKInfo {enc(info['subjectPKInfo'])}")
    out.append(f"c signatureAlgorithm {enc(v['signatureAlgorithm'])}")
    out.append(f"c signatureValue {enc(v['signature'])}")
    attrs = [f"{a['type']}:{len(a['values'])}" for a in info["attributes"]]
    out.append(f"s attributes {','.join(attrs) or 'none'}")


def one(path, label, kind):
    with open(path, "rb") as f:
        der = der_of(f.read(), kind)
    if der is None:
        return [f"refused {label} no PEM block"]
    spec = rfc5280.CertificateList() if kind == "crl" else rfc2986.CertificationRequest()
    out = [f"file {label} {kind}", f"der {der.hex()}"]
    try:
        v, rest = decoder.decode(der, asn1Spec=spec)
        if rest:
            return [f"refused {label} trailing octets"]
        (crl if kind == "crl" else req)(v, out)
    except Exception as e:  # pyasn1 raises its own error kinds
        return [f"refused {label} {type(e).__name__}"]
    out.append("end")
    return out


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--file":
        lines = one(sys.argv[3], sys.argv[3], sys.argv[2])
    else:
        folder = sys.argv[1]
        lines = []
        with open(os.path.join(folder, "manifest.tsv"), encoding="utf-8") as m:
            next(m)
            seen = set()
            for row in m:
                cells = row.rstrip("\n").split("\t")
                kind = {"CertificateList": "crl", "CertificationRequest": "req"}.get(cells[2])
                if kind is None or cells[0] in seen:
                    continue
                seen.add(cells[0])
                lines += one(os.path.join(folder, cells[0]), cells[0], kind)
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
