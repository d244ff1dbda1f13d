#!/usr/bin/env python3
"""Reads OCSP and time-stamp messages with pyasn1-modules (rfc6960, rfc3161)
and prints what it finds, for tests/test_ocsp.cpp and tests/test_tsp.cpp to
compare with the library's getters.

Usage: ocsp_peer.py CORPUS_DIR         every OCSPResponse, OCSPRequest,
                                       TimeStampReq, TimeStampResp and TSTInfo
                                       of the manifest, and every TSTInfo found
                                       inside a token in the tsp, ers,
                                       authenticode and cms families
       ocsp_peer.py --file TYPE PATH   the one DER value in PATH
       ocsp_peer.py --build            values built here that no file carries
                                       (CrlID, ServiceLocator,
                                       PreferredSignatureAlgorithms)

Output, one record per value:
  obj <type number> <label> <hex DER>
  <name> <text>                   one line per component (see describe_*)
  end
Integers print as decimal numbers, OIDs as dotted text, times as their text,
string and bit-string contents in hex, structures as the hex of their DER
under their own universal tag, absent components as '-'.
Exit status 0, or 2 when pyasn1-modules is missing.
"""

import base64
import os
import sys

try:
    from pyasn1.codec.ber import decoder
    from pyasn1.codec.der import encoder
    from pyasn1.type import univ, char, useful
    from pyasn1_modules import rfc5280, rfc6960, rfc3161
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)

ID_PKIX_OCSP_BASIC = "1.3.6.1.5.5.7.48.1.1"
# id-ct-TSTInfo as DER: 06 0B 2A 86 48 86 F7 0D 01 09 10 01 04
TSTINFO_OID = bytes.fromhex("060b2a864886f70d0109100104")


def tlv(der, at=0):
    """(tag octet, header length, contents length or None for indefinite, end) of the TLV at `at`."""
    tag = der[at]
    i = at + 1
    if tag & 0x1F == 0x1F:
        while der[i] & 0x80:
            i += 1
        i += 1
    n = der[i]
    i += 1
    if n == 0x80:
        return tag, i - at, None, None
    if n > 0x80:
        k = n & 0x7F
        n = int.from_bytes(der[i:i + k], "big")
        i += k
    return tag, i - at, n, i + n


def children(der, start, end):
    """The TLVs (start, end) between start and end, indefinite lengths followed."""
    out = []
    i = start
    while i < end:
        if der[i] == 0 and i + 1 < end and der[i + 1] == 0:
            return out, i + 2
        tag, h, n, e = tlv(der, i)
        if n is None:
            _, e = children(der, i + h, end)
        if e > end or i + h > end:
            raise ValueError("a length past its parent")
        out.append((i, e))
        i = e
    return out, i


def raw_first_child(der):
    """The octets of the first element inside the outer SEQUENCE (as received)."""
    tag, h, n, e = tlv(der, 0)
    kids, _ = children(der, h, e if e is not None else len(der))
    s, e2 = kids[0]
    return der[s:e2]


def enc(v):
    return encoder.encode(v).hex()


def unwrap(der_hex):
    """The inner TLV of an EXPLICIT [n] encoding."""
    der = bytes.fromhex(der_hex)
    tag, h, n, e = tlv(der)
    return der[h:e].hex()


def retag(der_hex, universal):
    """An IMPLICIT [n] encoding written under its universal identifier instead."""
    der = bytes.fromhex(der_hex)
    return (bytes([universal | (der[0] & 0x20)]) + der[1:]).hex()


class Out:
    def __init__(self):
        self.lines = []

    def put(self, name, text):
        self.lines.append(f"{name} {text}")

    def n(self, name, v):
        self.put(name, str(int(v)) if v is not None and v.isValue else "-")

    def oid(self, name, v):
        self.put(name, str(v) if v is not None and v.isValue else "-")

    def time(self, name, v):
        self.put(name, str(v) if v is not None and v.isValue else "-")

    def octets(self, name, v):
        self.put(name, bytes(v).hex() if v is not None and v.isValue else "-")

    def bits(self, name, v):
        if v is None or not v.isValue:
            self.put(name, "-")
        else:
            self.put(name, "".join(str(b) for b in v))

    def der(self, name, hexder):
        self.put(name, hexder if hexder else "-")


def present(seq, name):
    v = seq[name]
    return v is not None and v.isValue


def describe_extensions(out, name, exts):
    """Extensions under a tag: their count and each Extension's DER."""
    if exts is None or not exts.isValue:
        out.put(name, "-")
        return
    out.put(name, str(len(exts)))
    for i, e in enumerate(exts):
        out.der(f"{name}.{i}", enc(e))


def describe_certid(out, p, cid):
    out.der(p + ".hashalgo", enc(cid["hashAlgorithm"]))
    out.octets(p + ".namehash", cid["issuerNameHash"])
    out.octets(p + ".keyhash", cid["issuerKeyHash"])
    out.n(p + ".sn", cid["serialNumber"])


def describe_request(out, der):
    req, _ = decoder.decode(der, asn1Spec=rfc6960.OCSPRequest())
    tbs = req["tbsRequest"]
    out.n("version", tbs["version"])
    out.der("requestor", unwrap(enc(tbs["requestorName"])) if present(tbs, "requestorName") else None)
    out.put("requests", str(len(tbs["requestList"])))
    for i, r in enumerate(tbs["requestList"]):
        describe_certid(out, f"r{i}", r["reqCert"])
        describe_extensions(out, f"r{i}.exts", r["singleRequestExtensions"])
    describe_extensions(out, "exts", tbs["requestExtensions"])
    out.der("tbs", raw_first_child(der).hex())
    if present(req, "optionalSignature"):
        sig = req["optionalSignature"]
        out.der("sig.algo", enc(sig["signatureAlgorithm"]))
        out.bits("sig.value", sig["signature"])
        out.put("sig.certs", str(len(sig["certs"])) if present(sig, "certs") else "-")
    else:
        out.put("sig", "-")


def describe_basic(out, der):
    basic, _ = decoder.decode(der, asn1Spec=rfc6960.BasicOCSPResponse())
    rd = basic["tbsResponseData"]
    out.n("version", rd["version"])
    rid = rd["responderID"]
    if rid.getName() == "byName":
        out.put("respid", "1 " + unwrap(enc(rid["byName"])))
    else:
        out.put("respid", "2 " + bytes(rid["byKey"]).hex())
    out.time("producedat", rd["producedAt"])
    out.put("responses", str(len(rd["responses"])))
    for i, sr in enumerate(rd["responses"]):
        p = f"s{i}"
        describe_certid(out, p, sr["certID"])
        st = sr["certStatus"]
        kind = st.getName()
        out.put(p + ".status", {"good": "0", "revoked": "1", "unknown": "2"}[kind])
        if kind == "revoked":
            out.time(p + ".revtime", st["revoked"]["revocationTime"])
            ri = st["revoked"]
            out.n(p + ".reason", ri["revocationReason"] if present(ri, "revocationReason") else None)
        out.time(p + ".thisupdate", sr["thisUpdate"])
        out.time(p + ".nextupdate", sr["nextUpdate"] if present(sr, "nextUpdate") else None)
        describe_extensions(out, p + ".exts", sr["singleExtensions"])
    describe_extensions(out, "exts", rd["responseExtensions"])
    out.der("tbs", raw_first_child(der).hex())
    out.der("sigalgo", enc(basic["signatureAlgorithm"]))
    out.bits("signature", basic["signature"])
    if present(basic, "certs"):
        out.put("certs", str(len(basic["certs"])))
        for i, c in enumerate(basic["certs"]):
            out.der(f"cert{i}", enc(c))
    else:
        out.put("certs", "-")


def describe_response(out, der):
    resp, _ = decoder.decode(der, asn1Spec=rfc6960.OCSPResponse())
    out.n("status", resp["responseStatus"])
    if not present(resp, "responseBytes"):
        out.put("bytes", "-")
        return None
    rb = resp["responseBytes"]
    out.oid("bytes.type", rb["responseType"])
    out.octets("bytes.response", rb["response"])
    return bytes(rb["response"]) if str(rb["responseType"]) == ID_PKIX_OCSP_BASIC else None


def describe_imprint(out, p, mi):
    out.der(p + ".algo", enc(mi["hashAlgorithm"]))
    out.octets(p + ".hash", mi["hashedMessage"])


def describe_tsq(out, der):
    q, _ = decoder.decode(der, asn1Spec=rfc3161.TimeStampReq())
    out.n("version", q["version"])
    describe_imprint(out, "imprint", q["messageImprint"])
    out.oid("policy", q["reqPolicy"] if present(q, "reqPolicy") else None)
    out.n("nonce", q["nonce"] if present(q, "nonce") else None)
    out.put("certreq", "1" if q["certReq"] else "0")
    describe_extensions(out, "exts", q["extensions"])


def describe_status(out, si):
    out.n("status", si["status"])
    if present(si, "statusString"):
        out.put("text", str(len(si["statusString"])))
        for i, t in enumerate(si["statusString"]):
            out.put(f"text.{i}", bytes(str(t), "utf-8").hex())
    else:
        out.put("text", "-")
    out.bits("failinfo", si["failInfo"] if present(si, "failInfo") else None)


def describe_tsr(out, der):
    r, _ = decoder.decode(der, asn1Spec=rfc3161.TimeStampResp())
    describe_status(out, r["status"])
    if present(r, "timeStampToken"):
        tag, h, n, e = tlv(der)
        kids, _ = children(der, h, e)
        s, e2 = kids[1]
        out.der("token", der[s:e2].hex())
    else:
        out.put("token", "-")


def describe_tst(out, der):
    t, _ = decoder.decode(der, asn1Spec=rfc3161.TSTInfo())
    out.n("version", t["version"])
    out.oid("policy", t["policy"])
    describe_imprint(out, "imprint", t["messageImprint"])
    out.n("sn", t["serialNumber"])
    out.time("gentime", t["genTime"])
    # pyasn1-modules gives accuracy a default value, so its presence is read from the octets: a SEQUENCE
    # after genTime (the sixth element).
    tag, h, n, e = tlv(der)
    kids, _ = children(der, h, e if e is not None else len(der))
    if len(kids) > 5 and der[kids[5][0]] == 0x30:
        a = t["accuracy"]
        out.put("accuracy", " ".join(str(int(a[k])) if present(a, k) else "-" for k in ("seconds", "millis", "micros")))
    else:
        out.put("accuracy", "-")
    out.put("ordering", "1" if t["ordering"] else "0")
    out.n("nonce", t["nonce"] if present(t, "nonce") else None)
    out.der("tsa", unwrap(enc(t["tsa"])) if present(t, "tsa") else None)
    describe_extensions(out, "exts", t["extensions"])


def emit(type_number, label, der, describe):
    out = Out()
    try:
        extra = describe(out, der)
    except Exception as e:  # pyasn1 refuses it: say so, the test keeps the reason
        print(f"obj {type_number} {label} {der.hex()}")
        print(f"peer-error {type(e).__name__}")
        print("end")
        return None
    print(f"obj {type_number} {label} {der.hex()}")
    for line in out.lines:
        print(line)
    print("end")
    return extra


def octets_of(der, s, e):
    """The contents of the OCTET STRING at s (primitive or constructed)."""
    tag, h, n, end = tlv(der, s)
    if not tag & 0x20:
        return der[s + h:end]
    kids, _ = children(der, s + h, e if n is None else end)
    return b"".join(octets_of(der, a, b) for a, b in kids)


def find_tstinfos(der, start=0, end=None, depth=0):
    """Every TSTInfo carried as { id-ct-TSTInfo, [0] { OCTET STRING | TSTInfo } } inside der."""
    found = []
    end = len(der) if end is None else end
    if depth > 40:
        return found
    try:
        kids, _ = children(der, start, end)
    except (IndexError, ValueError):
        return found
    for s, e in kids:
        tag, h, n, _e = tlv(der, s)
        if not tag & 0x20:
            if tag == 0x04 and e - s - h > 2 and der[s + h] in (0x30, 0xA0):
                found += find_tstinfos(der, s + h, e, depth + 1)
            continue
        try:
            inner, _ = children(der, s + h, e)
        except (IndexError, ValueError):
            continue
        if tag == 0x30 and len(inner) == 2 and der[inner[0][0]:inner[0][1]] == TSTINFO_OID and der[inner[1][0]] == 0xA0:
            ws, we = inner[1]
            wt, wh, wn, _ = tlv(der, ws)
            cs, ce = children(der, ws + wh, we)[0][0]
            found.append(octets_of(der, cs, ce) if der[cs] in (0x04, 0x24) else der[cs:ce])
            continue
        found += find_tstinfos(der, s + h, e, depth + 1)
    return found


def corpus(root):
    rows = []
    with open(os.path.join(root, "manifest.tsv"), encoding="utf-8") as f:
        next(f)
        for line in f:
            cells = line.rstrip("\n").split("\t")
            rows.append(cells)
    types = {"OCSPResponse": (175, describe_response), "OCSPRequest": (173, describe_request),
             "TimeStampReq": (187, describe_tsq), "TimeStampResp": (190, describe_tsr), "TSTInfo": (192, describe_tst)}
    for path, family, asn1_type, encoding, expect in (r[:5] for r in rows):
        data = open(os.path.join(root, path), "rb").read()
        if asn1_type in types and expect == "valid":
            if encoding == "b64":
                data = base64.b64decode(data)
            number, fn = types[asn1_type]
            inner = emit(number, path, data, fn)
            if inner is not None:
                emit(182, path + "#basic", inner, describe_basic)
        if family in ("tsp", "ers", "authenticode", "cms") and encoding in ("der", "ber"):
            for i, tst in enumerate(find_tstinfos(data)):
                emit(192, f"{path}#tst{i}", tst, describe_tst)


def build():
    """CrlID, ServiceLocator and PreferredSignatureAlgorithms built with rfc6960's classes."""
    crl = rfc6960.CrlID()
    crl["crlUrl"] = crl["crlUrl"].clone("http://crl.example/ca.crl")
    crl["crlNum"] = crl["crlNum"].clone(4660)
    crl["crlTime"] = crl["crlTime"].clone("20240102030405Z")
    print(f"value 183 crlid {encoder.encode(crl).hex()}")
    only_num = rfc6960.CrlID()
    only_num["crlNum"] = only_num["crlNum"].clone(7)
    print(f"value 183 crlid-num {encoder.encode(only_num).hex()}")

    name = rfc5280.Name()
    rdns = rfc5280.RDNSequence()
    rdn = rfc5280.RelativeDistinguishedName()
    atv = rfc5280.AttributeTypeAndValue()
    atv["type"] = rfc5280.id_at_commonName
    atv["value"] = encoder.encode(char.UTF8String("Example CA"))
    rdn.append(atv)
    rdns.append(rdn)
    name["rdnSequence"] = rdns
    loc = rfc6960.ServiceLocator()
    loc["issuer"] = name
    ad = rfc5280.AccessDescription()
    ad["accessMethod"] = rfc5280.id_ad_ocsp
    ad["accessLocation"]["uniformResourceIdentifier"] = "http://ocsp.example/"
    loc["locator"].append(ad)
    print(f"value 184 servicelocator {encoder.encode(loc).hex()}")

    prefs = rfc6960.PreferredSignatureAlgorithms()
    for sig, key in (("1.2.840.113549.1.1.11", "1.2.840.113549.1.1.1"), ("1.2.840.10045.4.3.2", None)):
        p = rfc6960.PreferredSignatureAlgorithm()
        p["sigIdentifier"]["algorithm"] = univ.ObjectIdentifier(sig)
        if key is not None:
            # pyasn1-modules names the second component certIdentifier
            p["certIdentifier"]["algorithm"] = univ.ObjectIdentifier(key)
            p["certIdentifier"]["parameters"] = encoder.encode(univ.Null(""))
        prefs.append(p)
    print(f"value 293 prefsigalgs {encoder.encode(prefs).hex()}")
    print(f"value 185 prefsigalg {encoder.encode(prefs[0]).hex()}")


def main(argv):
    if len(argv) >= 2 and argv[1] == "--build":
        build()
    elif len(argv) == 4 and argv[1] == "--file":
        number = int(argv[2])
        fn = {175: describe_response, 173: describe_request, 182: describe_basic, 187: describe_tsq,
              190: describe_tsr, 192: describe_tst}[number]
        emit(number, os.path.basename(argv[3]), open(argv[3], "rb").read(), fn)
    elif len(argv) == 2:
        corpus(argv[1])
    else:
        print(__doc__, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
