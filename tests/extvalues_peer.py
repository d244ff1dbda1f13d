#!/usr/bin/env python3
"""Reads extension values with pyasn1-modules (rfc5280, and its own small
schemas for RFC 3739's statements) and prints what it finds, for
tests/test_extvalues.cpp to compare with the library's getters.

Usage:
  extvalues_peer.py corpus DIR     every extension of the valid Certificate and
                                   CertificateList files of DIR/manifest.tsv
  extvalues_peer.py files F...     every extension of the DER or PEM
                                   certificates, CRLs and requests F...

The extensions are taken out of the certificates and CRLs by pyasn1 (a CRL's
entries are read as opaque values). Output, one record per extension value
whose OID is in TYPES (and per UserNotice qualifier and SemanticsInformation
statement found inside them):

  value <label> <type> <hex DER>
  c <path> <hex DER>|-     a component's DER under its own universal tag
                           (implicit tags undone, explicit ones unwrapped);
                           '-' when absent. Paths name record components by
                           their ASN.1 names and list elements by index.
  n <path>/count <number>  a list's element count
  s peer <text>            pyasn1 could not read the value
  end
Exit status 0, or 2 when pyasn1-modules is missing.
"""

import base64
import os
import re
import sys

try:
    from pyasn1.codec.der import decoder, encoder
    from pyasn1.type import univ, namedtype, tag
    from pyasn1_modules import rfc5280, rfc2986
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)


# RFC 3739 3.2.6 (pyasn1-modules has no module for it).
class QCStatement(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("statementId", univ.ObjectIdentifier()),
        namedtype.OptionalNamedType("statementInfo", univ.Any()))


class QCStatements(univ.SequenceOf):
    componentType = QCStatement()


class NameRegistrationAuthorities(univ.SequenceOf):
    componentType = rfc5280.GeneralName()


class SemanticsInformation(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.OptionalNamedType("semanticsIdentifier", univ.ObjectIdentifier()),
        namedtype.OptionalNamedType("nameRegistrationAuthorities", NameRegistrationAuthorities()))


# Extension OID -> (library type number, pyasn1 schema).
TYPES = {
    "2.5.29.35": (65, rfc5280.AuthorityKeyIdentifier),
    "2.5.29.37": (66, rfc5280.ExtKeyUsageSyntax),
    "2.5.29.16": (67, rfc5280.PrivateKeyUsagePeriod),
    "2.5.29.32": (70, rfc5280.CertificatePolicies),
    "2.5.29.33": (74, rfc5280.PolicyMappings),
    "2.5.29.9": (75, rfc5280.SubjectDirectoryAttributes),
    "2.5.29.19": (76, rfc5280.BasicConstraints),
    "2.5.29.30": (81, rfc5280.NameConstraints),
    "2.5.29.36": (82, rfc5280.PolicyConstraints),
    "2.5.29.31": (85, rfc5280.CRLDistributionPoints),
    "2.5.29.46": (85, rfc5280.FreshestCRL),
    "1.3.6.1.5.5.7.1.1": (87, rfc5280.AuthorityInfoAccessSyntax),
    "1.3.6.1.5.5.7.1.11": (87, rfc5280.SubjectInfoAccessSyntax),
    "2.5.29.28": (88, rfc5280.IssuingDistributionPoint),
    "1.3.6.1.5.5.7.1.3": (222, QCStatements),
}
UNOTICE = "1.3.6.1.5.5.7.2.2"
SEMANTICS = ("1.3.6.1.5.5.7.11.1", "1.3.6.1.5.5.7.11.2")
# Lists whose elements are read through the getters of their own type; the
# others' elements are compared whole.
OPAQUE = (rfc5280.GeneralNames, rfc5280.Name, rfc5280.RDNSequence, rfc5280.RelativeDistinguishedName,
          rfc5280.Attribute, rfc5280.AlgorithmIdentifier, rfc5280.GeneralName)


# CertificateList with its entries read as opaque values: CRLs of many
# thousand entries are read in seconds.
class TBSCertListLite(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.OptionalNamedType("version", rfc5280.Version()),
        namedtype.NamedType("signature", rfc5280.AlgorithmIdentifier()),
        namedtype.NamedType("issuer", rfc5280.Name()),
        namedtype.NamedType("thisUpdate", rfc5280.Time()),
        namedtype.OptionalNamedType("nextUpdate", rfc5280.Time()),
        namedtype.OptionalNamedType("revokedCertificates", univ.SequenceOf(componentType=univ.Any())),
        namedtype.OptionalNamedType("crlExtensions", rfc5280.Extensions().subtype(
            explicitTag=tag.Tag(tag.tagClassContext, tag.tagFormatSimple, 0))))


class CertificateListLite(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("tbsCertList", TBSCertListLite()),
        namedtype.NamedType("signatureAlgorithm", rfc5280.AlgorithmIdentifier()),
        namedtype.NamedType("signature", univ.BitString()))


def header(der):
    n = der[1]
    if n < 0x80:
        return 2, n
    k = n & 0x7F
    return 2 + k, int.from_bytes(der[2:2 + k], "big")


def plain(v):
    """v's DER under the tag of its own type: explicit tags unwrapped,
    an implicit one replaced by the type's universal tag."""
    der = encoder.encode(v)
    base = v.__class__.tagSet
    extra = len(v.tagSet) - len(base)
    for _ in range(max(extra, 0)):
        h, n = header(der)
        der = der[h:h + n]
    if extra == 0 and len(base) and v.tagSet != base:
        t = base[-1]
        der = bytes([t.tagClass | (der[0] & 0x20) | t.tagId]) + der[1:]
    return der


class Out:
    def __init__(self):
        self.lines = []

    def add(self, line):
        self.lines.append(line)

    def c(self, path, der):
        self.add(f"c {path} {der.hex() if der is not None else '-'}")


def walk(out, path, v):
    """Components of a record, elements of a list, the alternative of a
    DistributionPointName."""
    if isinstance(v, OPAQUE) or isinstance(v, univ.Any):
        return
    if isinstance(v, rfc5280.DistributionPointName):
        chosen = v.getName()
        for name in ("fullName", "nameRelativeToCRLIssuer"):
            out.c(f"{path}/{name}", plain(v.getComponent()) if name == chosen else None)
        return
    if isinstance(v, univ.SequenceOf) or isinstance(v, univ.SetOf):
        out.add(f"n {path}/count {len(v)}")
        for i, e in enumerate(v):
            out.c(f"{path}/{i}", plain(e))
            walk(out, f"{path}/{i}", e)
        return
    if isinstance(v, univ.Sequence):
        for nt in v.componentType.namedTypes:
            comp = v.getComponentByName(nt.name)
            if not comp.isValue:
                out.c(f"{path}/{nt.name}", None)
                continue
            out.c(f"{path}/{nt.name}", plain(comp))
            walk(out, f"{path}/{nt.name}", comp)


def value_record(out, label, t, schema, der, nested):
    out.add(f"value {label} {t} {der.hex()}")
    try:
        v, rest = decoder.decode(der, asn1Spec=schema())
        if rest:
            raise ValueError("trailing octets")
        walk(out, "", v)
    except Exception as e:  # pyasn1 cannot read every value the library reads
        out.add(f"s peer unreadable {type(e).__name__}")
        v = None
    out.add("end")
    if v is None:
        return
    # Values inside values: UserNotice qualifiers, SemanticsInformation statements.
    if t == 70:
        for i, pi in enumerate(v):
            for j, q in enumerate(pi["policyQualifiers"] if pi["policyQualifiers"].isValue else []):
                if str(q["policyQualifierId"]) == UNOTICE and q["qualifier"].isValue:
                    nested.append((f"{label}/{i}/{j}", 73, rfc5280.UserNotice, bytes(q["qualifier"])))
    if t == 222:
        for i, st in enumerate(v):
            if str(st["statementId"]) in SEMANTICS and st["statementInfo"].isValue:
                nested.append((f"{label}/{i}", 224, SemanticsInformation, bytes(st["statementInfo"])))


def extensions_of(der):
    """The extensions of a Certificate, CertificateList or CertificationRequest."""
    for schema, where in ((rfc5280.Certificate, "cert"), (CertificateListLite, "crl"),
                          (rfc2986.CertificationRequest, "csr")):
        try:
            v, rest = decoder.decode(der, asn1Spec=schema())
        except Exception:
            continue
        if rest:
            continue
        if where == "cert":
            exts = v["tbsCertificate"]["extensions"]
            return list(exts) if exts.isValue else []
        if where == "crl":
            exts = v["tbsCertList"]["crlExtensions"]
            return list(exts) if exts.isValue else []
        found = []
        for attr in v["certificationRequestInfo"]["attributes"]:
            if str(attr["type"]) == "1.2.840.113549.1.9.14":
                for value in attr["values"]:
                    exts, _ = decoder.decode(bytes(value), asn1Spec=rfc5280.Extensions())
                    found.extend(exts)
        return found
    return None


PEM = re.compile(rb"-----BEGIN ([A-Z0-9 ]+)-----(.*?)-----END \1-----", re.S)


def ders_of(data, encoding):
    if encoding != "pem":
        return [data]
    return [base64.b64decode(b"".join(m.group(2).split())) for m in PEM.finditer(data)]


def read(out, label, der):
    exts = extensions_of(der)
    if exts is None:
        out.add(f"skip {label} unreadable")
        return
    nested = []
    for k, ext in enumerate(exts):
        oid = str(ext["extnID"])
        if oid not in TYPES:
            continue
        t, schema = TYPES[oid]
        value_record(out, f"{label}#{k}/{oid}", t, schema, bytes(ext["extnValue"]), nested)
    for args in nested:
        value_record(out, *args, [])


def main():
    out = Out()
    if len(sys.argv) >= 3 and sys.argv[1] == "corpus":
        folder = sys.argv[2]
        with open(os.path.join(folder, "manifest.tsv"), encoding="utf-8") as f:
            rows = [line.rstrip("\n").split("\t") for line in f][1:]
        for row in rows:
            path, _, asn1_type, encoding, expect = row[:5]
            if expect != "valid" or asn1_type not in ("Certificate", "CertificateList"):
                continue
            with open(os.path.join(folder, path), "rb") as f:
                data = f.read()
            for i, der in enumerate(ders_of(data, encoding)):
                read(out, f"{path}[{i}]", der)
    elif len(sys.argv) >= 3 and sys.argv[1] == "files":
        for path in sys.argv[2:]:
            with open(path, "rb") as f:
                data = f.read()
            for i, der in enumerate(ders_of(data, "pem" if data.startswith(b"-----") else "der")):
                read(out, f"{os.path.basename(path)}[{i}]", der)
    else:
        print(__doc__, file=sys.stderr)
        return 1
    sys.stdout.write("\n".join(out.lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
