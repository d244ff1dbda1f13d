#!/usr/bin/env python3
"""Reads values with pyasn1-modules and lists every component by path, for
the tests to compare with the library's getters (tests/peer_compare.h).

Jobs come on standard input, one per line, tab-separated:

  LABEL  MODULE.TYPE  SOURCE  [OPTIONS]

MODULE is a pyasn1_modules module (rfc5280, rfc6960, ...), a module beside
this script (scvp_rfc5055, peer_*) or "local" for the few schemas below; SOURCE is "hex:..." or a file: DER, PEM (the first block,
or with pem=L1|L2 the first under one of those labels, with pem#N the N-th
block) or Base64 (b64). OPTIONS, comma-separated: ber (read BER, not DER),
only=P1|P2 (list only paths under these), tstinfo (every TSTInfo inside the
file instead, labelled LABEL#tstN), and the PEM/Base64 choices above.
A line "open OID MODULE.TYPE" makes the values that follow an OID of that
value (extension values, attribute values, qualifiers, statements) read as
that type, listed under their own path with "~" appended ("PATH~oid<TAB>OID"
names the OID).

Output per job: "= LABEL", then "@in HEX" (the octets read) and one line per
component, "PATH<TAB>HEX": its DER under its own universal tag (implicit tags
undone, explicit ones unwrapped), "-" when absent; lists add "PATH/#<TAB>N",
a CHOICE its alternative as "PATH/NAME". "!<TAB>ERROR" when pyasn1 refuses it (or, read
as DER, cannot write it back).
Exit status 0, or 2 when pyasn1-modules is missing.
"""

import base64
import importlib
import re
import sys

try:
    from pyasn1.codec.ber import decoder as ber_decoder
    from pyasn1.codec.der import decoder as der_decoder, encoder
    from pyasn1.type import univ, namedtype, tag, useful
    from pyasn1_modules import rfc5280, rfc5755
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)


class local:  # schemas pyasn1-modules 0.2.8 lacks or reads too slowly
    class QCStatement(univ.Sequence):  # RFC 3739
        componentType = namedtype.NamedTypes(
            namedtype.NamedType("statementId", univ.ObjectIdentifier()),
            namedtype.OptionalNamedType("statementInfo", univ.Any()))

    class QCStatements(univ.SequenceOf):
        componentType = None

    class NameRegistrationAuthorities(univ.SequenceOf):
        componentType = rfc5280.GeneralName()

    class SemanticsInformation(univ.Sequence):
        componentType = None

    class TargetInformation(univ.SequenceOf):  # RFC 5755's extension value
        componentType = rfc5755.Targets()

    class TBSCertListLite(univ.Sequence):  # entries left opaque: large CRLs read in seconds
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
        componentType = None


local.QCStatements.componentType = local.QCStatement()
local.SemanticsInformation.componentType = namedtype.NamedTypes(
    namedtype.OptionalNamedType("semanticsIdentifier", univ.ObjectIdentifier()),
    namedtype.OptionalNamedType("nameRegistrationAuthorities", local.NameRegistrationAuthorities()))
local.CertificateListLite.componentType = namedtype.NamedTypes(
    namedtype.NamedType("tbsCertList", local.TBSCertListLite()),
    namedtype.NamedType("signatureAlgorithm", rfc5280.AlgorithmIdentifier()),
    namedtype.NamedType("signature", univ.BitString()))

OPEN = {}  # OID -> schema class


def schema(name):
    module, cls = name.split(".")
    if module == "local":
        return getattr(local, cls)
    try:
        return getattr(importlib.import_module("pyasn1_modules." + module), cls)
    except ImportError:  # a schema kept beside this script (scvp_rfc5055, peer_*)
        return getattr(importlib.import_module(module), cls)


def tlv(der, at=0):
    """(tag octet, header length, contents length or None when indefinite) at `at` (one-octet tags)."""
    n = der[at + 1]
    if n == 0x80:
        return der[at], 2, None
    if n < 0x80:
        return der[at], 2, n
    k = n & 0x7F
    return der[at], 2 + k, int.from_bytes(der[at + 2:at + 2 + k], "big")


def plain(v):
    """v's DER under the tag of its own type: explicit tags unwrapped, an implicit one undone."""
    if isinstance(v, useful.GeneralizedTime) and v.isValue and "." in str(v) and str(v).endswith("Z"):
        # pyasn1's DER encoder deletes every zero among the first three fraction digits (".094" becomes ".94");
        # DER removes trailing zeros only (X.690 11.7.3).
        whole, fraction = str(v)[:-1].split(".", 1)
        fraction = fraction.rstrip("0")
        text = (whole + ("." + fraction if fraction else "") + "Z").encode()
        return bytes([0x18, len(text)]) + text
    der = encoder.encode(v)
    base = v.__class__.tagSet
    extra = len(v.tagSet) - len(base)
    for _ in range(max(extra, 0)):
        _, h, n = tlv(der)
        der = der[h:h + n]
    if extra == 0 and len(base) and v.tagSet != base:
        t = base[-1]
        der = bytes([t.tagClass | (der[0] & 0x20) | t.tagId]) + der[1:]
    return der


class Dump:
    def __init__(self, only, decoder):
        self.lines, self.only, self.decoder = [], only, decoder

    def wanted(self, path):
        return not self.only or any(path.startswith(p) or p.startswith(path + "/") for p in self.only)

    def put(self, path, text):
        if not self.only or any(path.startswith(p) for p in self.only):
            self.lines.append(f"{path}\t{text}")

    def node(self, path, v, oid=None):
        if not self.wanted(path):
            return
        # The components first: encoding instantiates absent ones (an absent SEQUENCE of optional components
        # would read as present and empty).
        slot = len(self.lines)
        self.lines.append(None)
        if isinstance(v, (univ.Any, univ.OctetString)) and oid in OPEN:
            self.put(path + "~oid", oid)
            self.open(path + "~", bytes(v), OPEN[oid])
        elif isinstance(v, univ.Choice):
            self.node(f"{path}/{v.getName()}", v.getComponent(), oid)
        elif isinstance(v, (univ.SequenceOf, univ.SetOf)):
            self.put(path + "/#", len(v))
            for i, e in enumerate(v):
                self.node(f"{path}/{i}", e, oid)
        elif isinstance(v, (univ.Sequence, univ.Set)):
            oid = None
            for i, nt in enumerate(v.componentType.namedTypes):
                comp = v.getComponentByPosition(i, default=None, instantiate=False)
                if comp is None or not comp.isValue:
                    if isinstance(nt, namedtype.DefaultedNamedType):
                        comp = nt.asn1Object  # the DEFAULT, as the library makes it
                    else:
                        self.put(f"{path}/{nt.name}", "-")
                        continue
                if oid is None and isinstance(comp, univ.ObjectIdentifier):
                    oid = str(comp)
                self.node(f"{path}/{nt.name}", comp, oid)
        try:
            text = plain(v).hex()
        except Exception as e:  # e.g. an empty SIZE (1..MAX) list, which pyasn1 reads but does not write
            text = "?" + type(e).__name__
        if not self.only or any(path.startswith(p) for p in self.only):
            self.lines[slot] = f"{path}\t{text}"

    def open(self, path, der, spec):
        try:
            v, rest = self.decoder.decode(der, asn1Spec=spec())
            if rest:
                raise ValueError("trailing octets")
        except Exception as e:  # pyasn1 cannot read every value
            self.put(path, "!" + type(e).__name__)
            return
        self.node(path, v)


PEM = re.compile(rb"-----BEGIN ([A-Z0-9 ]+)-----(.*?)-----END \1-----", re.S)


def octets(source, opts):
    if source.startswith("hex:"):
        return bytes.fromhex(source[4:])
    data = open(source, "rb").read()
    if "b64" in opts:
        return base64.b64decode(data)
    if b"-----BEGIN" not in data or data[:1] == b"\x30":
        return data
    blocks = [(m.group(1).decode(), m.group(2)) for m in PEM.finditer(data)]
    labels = opts.get("pem")
    if labels:
        blocks = [b for b in blocks if b[0] in labels.split("|")]
    body = blocks[int(opts.get("pem#", 0))][1] if blocks else b""
    return base64.b64decode(b"".join(body.split()))


def tstinfos(der, start=0, end=None, depth=0):
    """Every TSTInfo carried as { id-ct-TSTInfo, [0] { OCTET STRING | TSTInfo } } inside der."""
    oid = bytes.fromhex("060b2a864886f70d0109100104")
    found, end, i = [], len(der) if end is None else end, start
    while depth < 40 and i + 2 <= end:
        if der[i] == 0 and der[i + 1] == 0:
            break
        try:
            t, h, n = tlv(der, i)
        except IndexError:
            break
        e = end if n is None else i + h + n
        if e > end:
            break
        if t == 0x30 and der[i + h:i + h + len(oid)] == oid and der[i + h + len(oid)] == 0xA0:
            w = i + h + len(oid)
            _, wh, _ = tlv(der, w)
            c = w + wh
            ct, ch, cn = tlv(der, c)
            if ct == 0x04:
                found.append(der[c + ch:c + ch + cn])
            elif ct == 0x24:  # constructed OCTET STRING: its segments
                j, inner = c + ch, b""
                while der[j] == 0x04:
                    _, sh, sn = tlv(der, j)
                    inner += der[j + sh:j + sh + sn]
                    j += sh + sn
                found.append(inner)
            else:
                found.append(der[c:c + ch + cn])
        elif t & 0x20:
            found += tstinfos(der, i + h, e, depth + 1)
        elif t == 0x04 and n and n > 2 and der[i + h] in (0x30, 0xA0):
            found += tstinfos(der, i + h, e, depth + 1)
        if n is None:  # indefinite: skip by walking its contents
            j = i + h
            while j + 2 <= end and not (der[j] == 0 and der[j + 1] == 0):
                _, jh, jn = tlv(der, j)
                if jn is None:
                    break
                j += jh + jn
            e = j + 2
        i = e
    return found


def job(label, type_name, source, options):
    opts = {}
    for o in filter(None, options.split(",")):
        k, _, v = o.partition("=")
        if k.startswith("pem#"):
            k, v = "pem#", k[4:]
        opts[k] = v
    decoder = ber_decoder if "ber" in opts else der_decoder
    der = octets(source, opts)
    items = [(label, der)]
    if "tstinfo" in opts:
        items = [(f"{label}#tst{i}", t) for i, t in enumerate(tstinfos(der))]
    for lab, d in items:
        print(f"= {lab}\n@in\t{d.hex()}")
        dump = Dump([p for p in opts.get("only", "").split("|") if p], decoder)
        try:
            v, rest = decoder.decode(d, asn1Spec=schema(type_name)())
            if rest:
                raise ValueError("trailing octets")
            if decoder is der_decoder:  # read as DER: pyasn1 must be able to write it back
                encoder.encode(v)
            dump.node("", v)
        except Exception as e:  # pyasn1 refuses it: say so
            dump.lines = [f"!\t{type(e).__name__}"]
        lines = [line for line in dump.lines if line is not None]
        if lines:
            print("\n".join(lines))


def main():
    for line in sys.stdin:
        cells = line.rstrip("\n").split("\t")
        if cells[0] == "open":
            OPEN[cells[1]] = schema(cells[2])
        elif len(cells) >= 3:
            job(cells[0], cells[1], cells[2], cells[3] if len(cells) > 3 else "")
    return 0


if __name__ == "__main__":
    sys.exit(main())
