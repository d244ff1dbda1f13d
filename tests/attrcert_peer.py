#!/usr/bin/env python3
"""Reads attribute certificates with pyasn1-modules (rfc5755) and prints what
it finds, for tests/test_attrcert.cpp to compare with the library's getters.

Inputs: the corpus files of type AttributeCertificate (the folder given,
with manifest.tsv), and certificates this script builds with every value type of RFC 5755
(any signature bytes). Output, one record per certificate or value:

  cert <label> <hex DER>          an AttributeCertificate (type 260)
  value <label> <type> <hex DER>  an attribute or extension value of a type
  c <component> <hex DER>|-       a component's DER, under its own universal
                                  tag (implicit tags undone, explicit ones
                                  unwrapped); '-' when absent
  n <component> <number>
  s <component> <text>
  end

With "--file PATH" it reads the one DER certificate in PATH instead.
Exit status 0, or 2 when pyasn1-modules is missing.
"""

import os
import sys

try:
    from pyasn1.codec.der import decoder, encoder
    from pyasn1.type import univ, char, useful
    from pyasn1_modules import rfc5280, rfc5755
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)

# Value types by attribute or extension OID.
VALUE_TYPES = {
    str(rfc5755.id_aca_authenticationInfo): 283,
    str(rfc5755.id_aca_accessIdentity): 283,
    str(rfc5755.id_aca_chargingIdentity): 280,
    str(rfc5755.id_aca_group): 280,
    str(rfc5755.id_at_role): 284,
    str(rfc5755.id_at_clearance): 287,
    str(rfc5755.id_ce_targetInformation): 289,
    str(rfc5755.id_pe_aaControls): 291,
}
SCHEMAS = {283: rfc5755.SvceAuthInfo, 280: rfc5755.IetfAttrSyntax, 284: rfc5755.RoleSyntax,
         287: rfc5755.Clearance, 291: rfc5755.AAControls}


def header(der):
    """(header length, contents length) of the first TLV (one-octet tags)."""
    n = der[1]
    if n < 0x80:
        return 2, n
    k = n & 0x7F
    return 2 + k, int.from_bytes(der[2:2 + k], "big")


def retag(der, first):
    """An IMPLICIT [n] encoding written under identifier `first` instead."""
    return bytes([first]) + der[1:]


def unwrap(der):
    """The inner TLV of an EXPLICIT [n] encoding."""
    h, n = header(der)
    return der[h:h + n]


def enc(v):
    return encoder.encode(v)


class Out:
    def __init__(self):
        self.lines = []

    def c(self, name, der):
        self.lines.append(f"c {name} {der.hex() if der is not None else '-'}")

    def n(self, name, value):
        self.lines.append(f"n {name} {int(value)}")

    def s(self, name, text):
        self.lines.append(f"s {name} {text}")

    def end(self):
        self.lines.append("end")


def has(seq, name):
    return seq[name].isValue


def issuer_serial(out, prefix, v):
    out.c(prefix, retag(enc(v), 0x30))
    out.c(prefix + ".serial", enc(v["serial"]))


def odi(out, prefix, v):
    out.c(prefix, retag(enc(v), 0x30))
    out.n(prefix + ".type", v["digestedObjectType"])


def read_value(out, label, oid, der):
    """A value record for an attribute or extension value of a known type."""
    t = VALUE_TYPES.get(oid)
    if t is None:
        return
    out.lines.append(f"value {label}/{oid} {t} {der.hex()}")
    try:
        read_components(out, t, der)
    except Exception as e:  # pyasn1-modules cannot read every valid value
        out.s("peer", "unreadable " + type(e).__name__)
    out.end()


def read_components(out, t, der):
    if t == 289:
        v, rest = decoder.decode(der, asn1Spec=univ.SequenceOf(componentType=rfc5755.Targets()))
        kinds = []
        for targets in v:
            for target in targets:
                kinds.append({"targetName": "0", "targetGroup": "1", "targetCert": "2"}[target.getName()])
        out.s("kinds", ",".join(kinds) or "none")
        return
    v, rest = decoder.decode(der, asn1Spec=SCHEMAS[t]())
    assert not rest
    if t == 283:
        out.c("service", enc(v["service"]))
        out.c("ident", enc(v["ident"]))
        out.c("authInfo", enc(v["authInfo"]) if has(v, "authInfo") else None)
    elif t == 280:
        out.c("policyAuthority", retag(enc(v["policyAuthority"]), 0x30) if has(v, "policyAuthority") else None)
        out.c("values", enc(v["values"]))
        out.s("kinds", ",".join({"octets": "0", "oid": "1", "string": "2"}[x.getName()] for x in v["values"]))
    elif t == 284:
        out.c("roleAuthority", retag(enc(v["roleAuthority"]), 0x30) if has(v, "roleAuthority") else None)
        out.c("roleName", unwrap(enc(v["roleName"])))
    elif t == 287:
        out.c("policyId", enc(v["policyId"]))
        out.c("classList", enc(v["classList"]))
    elif t == 291:
        out.c("pathLenConstraint", enc(v["pathLenConstraint"]) if has(v, "pathLenConstraint") else None)
        for name in ("permittedAttrs", "excludedAttrs"):
            out.c(name, retag(enc(v[name]), 0x30) if has(v, name) else None)
        out.c("permitUnSpecified", enc(univ.Boolean(bool(v["permitUnSpecified"]))))


def read_certificate(out, label, der):
    ac, rest = decoder.decode(der, asn1Spec=rfc5755.AttributeCertificate())
    assert not rest, label
    info = ac["acinfo"]
    out.lines.append(f"cert {label} {der.hex()}")
    out.c("acinfo", enc(info))
    out.c("version", enc(info["version"]))
    holder = info["holder"]
    out.s("holder", ",".join(n for n in ("baseCertificateID", "entityName", "objectDigestInfo")
                             if has(holder, n)) or "none")
    if has(holder, "baseCertificateID"):
        issuer_serial(out, "holder.baseCertificateID", holder["baseCertificateID"])
    out.c("holder.entityName", retag(enc(holder["entityName"]), 0x30) if has(holder, "entityName") else None)
    if has(holder, "objectDigestInfo"):
        odi(out, "holder.objectDigestInfo", holder["objectDigestInfo"])
    issuer = info["issuer"]
    if issuer.getName() == "v1Form":
        out.n("issuer.choice", 1)
        out.c("issuer.v1", enc(issuer["v1Form"]))
    else:
        out.n("issuer.choice", 2)
        v2 = issuer["v2Form"]
        out.c("issuer.v2", retag(enc(v2), 0x30))
        out.c("issuer.v2.issuerName", enc(v2["issuerName"]) if has(v2, "issuerName") else None)
        if has(v2, "baseCertificateID"):
            issuer_serial(out, "issuer.v2.baseCertificateID", v2["baseCertificateID"])
        if has(v2, "objectDigestInfo"):
            odi(out, "issuer.v2.objectDigestInfo", v2["objectDigestInfo"])
    out.c("signature", enc(info["signature"]))
    out.c("serialNumber", enc(info["serialNumber"]))
    out.c("notBefore", enc(info["attrCertValidityPeriod"]["notBeforeTime"]))
    out.c("notAfter", enc(info["attrCertValidityPeriod"]["notAfterTime"]))
    out.s("attributes", ",".join(f"{a['type']}:{len(a['values'])}" for a in info["attributes"]) or "none")
    out.c("issuerUniqueID", enc(info["issuerUniqueID"]) if has(info, "issuerUniqueID") else None)
    exts = info["extensions"] if has(info, "extensions") else None
    out.s("extensions", ",".join(str(e["extnID"]) for e in exts) if exts is not None else "none")
    out.c("signatureAlgorithm", enc(ac["signatureAlgorithm"]))
    out.c("signatureValue", enc(ac["signatureValue"]))
    out.end()
    for i, a in enumerate(info["attributes"]):
        for k, value in enumerate(a["values"]):
            read_value(out, f"{label}/attr{i}.{k}", str(a["type"]), bytes(value))
    for e in exts or []:
        read_value(out, f"{label}/ext", str(e["extnID"]), bytes(e["extnValue"]))


# ---- certificates built here ------------------------------------------------

def gn_uri(text, kind=rfc5280.GeneralName):
    g = kind()
    g["uniformResourceIdentifier"] = text
    return g


def gn_dns(text):
    g = rfc5280.GeneralName()
    g["dNSName"] = text
    return g


def dir_name(cn):
    rdn = rfc5280.RelativeDistinguishedName()
    atv = rfc5280.AttributeTypeAndValue()
    atv["type"] = rfc5280.id_at_commonName
    atv["value"] = enc(char.UTF8String(cn))
    rdn.append(atv)
    g = rfc5280.GeneralName()
    g["directoryName"]["rdnSequence"].append(rdn)
    return g


def general_names(*names, into=None):
    out = into if into is not None else rfc5280.GeneralNames()
    for n in names:
        out.append(n)
    return out


def fill_issuer_serial(v, serial, uid=None):
    v["issuer"].append(dir_name("Issuer CA"))
    v["serial"] = serial
    if uid is not None:
        v["issuerUID"] = univ.BitString(hexValue=uid)
    return v


def fill_odi(v, kind, other=None):
    v["digestedObjectType"] = kind
    if other:
        v["otherObjectTypeID"] = other
    v["digestAlgorithm"]["algorithm"] = univ.ObjectIdentifier("2.16.840.1.101.3.4.2.1")
    v["objectDigest"] = univ.BitString(hexValue="ab" * 32)
    return v


def attribute(oid, *values):
    a = rfc5280.Attribute()
    a["type"] = oid
    for v in values:
        a["values"].append(v)
    return a


def extension(oid, der, critical=False):
    e = rfc5280.Extension()
    e["extnID"] = oid
    e["critical"] = critical
    e["extnValue"] = der
    return e


def security_categories():
    """SET OF SecurityCategory written by hand: [0] IMPLICIT OID, [1] EXPLICIT value (pyasn1-modules 0.2.8 writes
    the value under a primitive [1])."""
    def tlv(tag, body):
        assert len(body) < 0x80
        return bytes([tag, len(body)]) + body
    cat1 = tlv(0x30, tlv(0x80, bytes.fromhex("2a030401")) + tlv(0xA1, tlv(0x02, b"\x07")))
    cat2 = tlv(0x30, tlv(0x80, bytes.fromhex("2a030402")) + tlv(0xA1, tlv(0x0C, b"NATO")))
    return tlv(0x31, cat1 + cat2)


def build(variant):
    ac = rfc5755.AttributeCertificate()
    info = ac["acinfo"]
    info["version"] = 1
    holder = info["holder"]
    issuer = info["issuer"]
    if variant == 0:
        fill_issuer_serial(holder["baseCertificateID"], 0x1234, uid="0f0e")
        general_names(gn_uri("urn:holder"), into=holder["entityName"])
        issuer["v1Form"].append(dir_name("Attribute Authority"))
    else:
        fill_odi(holder["objectDigestInfo"], 2, "1.3.6.1.4.1.99999.1")
        v2 = issuer["v2Form"]
        v2["issuerName"].append(dir_name("AA two"))
        fill_issuer_serial(v2["baseCertificateID"], 77)
        fill_odi(v2["objectDigestInfo"], 1)
    info["signature"]["algorithm"] = univ.ObjectIdentifier("1.2.840.113549.1.1.11")
    info["signature"]["parameters"] = enc(univ.Null())
    info["serialNumber"] = 0x7F0102 + variant
    info["attrCertValidityPeriod"]["notBeforeTime"] = useful.GeneralizedTime("20240101000000Z")
    info["attrCertValidityPeriod"]["notAfterTime"] = useful.GeneralizedTime("20341231235959Z")

    svce = rfc5755.SvceAuthInfo()
    svce["service"] = gn_uri("ldap://service.example")
    svce["ident"] = gn_dns("ident.example")
    if variant == 0:
        svce["authInfo"] = univ.OctetString(b"secret token")
    ietf = rfc5755.IetfAttrSyntax()
    if variant == 0:
        general_names(gn_uri("urn:policy"), into=ietf["policyAuthority"])
    for kind, value in (("octets", univ.OctetString(b"\x01\x02")), ("oid", univ.ObjectIdentifier("1.2.3.4")),
                        ("string", char.UTF8String("Grüße"))):
        item = ietf["values"].getComponentType().clone()
        item[kind] = value
        ietf["values"].append(item)
    role = rfc5755.RoleSyntax()
    if variant == 1:
        general_names(gn_uri("urn:role-authority"), into=role["roleAuthority"])
    role["roleName"]["uniformResourceIdentifier"] = "urn:role:admin"
    clearance = rfc5755.Clearance()
    clearance["policyId"] = "1.3.6.1.4.1.99999.2"
    if variant == 0:
        clearance["classList"] = rfc5755.ClassList("'000110'B")  # confidential, secret
    clearance_der = enc(clearance)
    if variant == 1:  # no class list, with categories
        h, n = header(clearance_der)
        body = clearance_der[h:] + security_categories()
        clearance_der = bytes([0x30, len(body)]) + body
    clear_attrs = rfc5755.ACClearAttrs()
    clear_attrs["acIssuer"] = gn_uri("urn:ac-issuer")
    clear_attrs["acSerial"] = 99
    clear_attrs["attrs"].append(attribute(rfc5755.id_at_role, enc(role)))

    attrs = info["attributes"]
    attrs.append(attribute(rfc5755.id_aca_authenticationInfo, enc(svce)))
    attrs.append(attribute(rfc5755.id_aca_accessIdentity, enc(svce)))
    attrs.append(attribute(rfc5755.id_aca_group, enc(ietf)))
    attrs.append(attribute(rfc5755.id_aca_chargingIdentity, enc(ietf)))
    attrs.append(attribute(rfc5755.id_at_role, enc(role), enc(role)))
    attrs.append(attribute(rfc5755.id_at_clearance, clearance_der))
    attrs.append(attribute(univ.ObjectIdentifier("1.3.6.1.4.1.99999.3"), enc(clear_attrs)))

    targets = rfc5755.Targets()
    t0 = rfc5755.Target()
    t0["targetName"]["dNSName"] = "server.example"
    t1 = rfc5755.Target()
    t1["targetGroup"]["uniformResourceIdentifier"] = "urn:group"
    t2 = rfc5755.Target()
    fill_issuer_serial(t2["targetCert"]["targetCertificate"], 5)
    if variant == 0:
        t2["targetCert"]["targetName"] = gn_dns("cert.example")
        fill_odi(t2["targetCert"]["certDigestInfo"], 0)
    for t in (t0, t1, t2):
        targets.append(t)
    info_seq = univ.SequenceOf(componentType=rfc5755.Targets())
    info_seq.append(targets)
    aa = rfc5755.AAControls()
    if variant == 0:
        aa["pathLenConstraint"] = 3
        aa["permittedAttrs"].append(rfc5755.id_at_role)
        aa["excludedAttrs"].append(rfc5755.id_at_clearance)
        aa["permitUnSpecified"] = False
    else:
        aa["excludedAttrs"].append(rfc5755.id_aca_group)
    exts = info["extensions"]
    exts.append(extension(rfc5755.id_ce_targetInformation, enc(info_seq), True))
    exts.append(extension(rfc5755.id_pe_aaControls, enc(aa), True))
    if variant == 1:
        info["issuerUniqueID"] = univ.BitString(hexValue="c0ffee")
    ac["signatureAlgorithm"] = info["signature"]
    ac["signatureValue"] = univ.BitString(hexValue="5a" * 64)
    return enc(ac), enc(clear_attrs)


def manifest_rows(corpus):
    rows = []
    with open(os.path.join(corpus, "manifest.tsv"), encoding="utf-8") as f:
        next(f)
        for line in f:
            cols = line.rstrip("\n").split("\t")
            if len(cols) >= 5 and cols[2] == "AttributeCertificate" and cols[4] == "valid" and cols[0] not in rows:
                rows.append(cols[0])
    return rows


def file_der(path):
    data = open(path, "rb").read()
    if b"-----BEGIN" not in data:
        return data
    import base64
    text = data.decode("ascii", "replace")
    begin = text.index("-----BEGIN")
    body = text[text.index("\n", begin) + 1:text.index("-----END", begin)]
    return base64.b64decode("".join(body.split()))


def main():
    out = Out()
    if len(sys.argv) == 3 and sys.argv[1] == "--file":
        read_certificate(out, "file", open(sys.argv[2], "rb").read())
        print("\n".join(out.lines))
        return 0
    corpus = sys.argv[1] if len(sys.argv) > 1 else ""
    if corpus and os.path.isfile(os.path.join(corpus, "manifest.tsv")):
        for path in manifest_rows(corpus):
            read_certificate(out, path, file_der(os.path.join(corpus, path)))
    for variant in (0, 1):
        der, clear_attrs = build(variant)
        read_certificate(out, f"built{variant}", der)
        out.lines.append(f"value built{variant}/acclearattrs 288 {clear_attrs.hex()}")
        v, _ = decoder.decode(clear_attrs, asn1Spec=rfc5755.ACClearAttrs())
        out.c("acIssuer", enc(v["acIssuer"]))
        out.c("acSerial", enc(v["acSerial"]))
        out.c("attrs", enc(v["attrs"]))
        out.end()
    print("\n".join(out.lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
