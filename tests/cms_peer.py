#!/usr/bin/env python3
"""Reads signed messages with pyasn1-modules (rfc5652, or rfc2315 when the
content is not an OCTET STRING) and prints what it finds, for
tests/test_cms.cpp to compare with the library's getters.

Arguments: DER files, each a ContentInfo holding a SignedData. Output, one
record per file:

  msg <path>
  version <number>
  digest <dotted OID>                  per digest algorithm, in order
  content <hex DER of the content>|-   the element inside contentInfo's [0]
  cert <hex DER>                       per certificate (the plain alternative)
  crl <hex DER>                        per CRL (the plain alternative)
  signer <version> <sid: ias|kid> <hex DER of the IssuerAndSerialNumber or the key identifier octets>
  digestalg <hex DER>  sigalg <hex DER>  signature <hex octets>
  attr <dotted OID> <hex DER>|-        per signed attribute, in the order received
  unsigned <count>|-
  end

Exit status 0, or 2 when pyasn1-modules is missing.
"""

import sys

try:
    from pyasn1.codec.der import decoder, encoder
    from pyasn1.type import univ
    from pyasn1_modules import rfc2315, rfc5652
except ImportError as e:  # pragma: no cover
    print(f"pyasn1-modules missing: {e}", file=sys.stderr)
    sys.exit(2)


def signed_data(content):
    """The SignedData in either form, and whether it is the CMS one."""
    try:
        sd, rest = decoder.decode(content, asn1Spec=rfc5652.SignedData())
        if not rest:
            return sd, True
    except Exception:  # the PKCS #7 form: any content
        pass
    sd, _ = decoder.decode(content, asn1Spec=rfc2315.SignedData())
    return sd, False


def report(path):
    der = open(path, "rb").read()
    ci, _ = decoder.decode(der, asn1Spec=rfc5652.ContentInfo())
    sd, cms = signed_data(bytes(ci["content"]))
    print("msg", path)
    print("version", int(sd["version"]))
    for alg in sd["digestAlgorithms"]:
        print("digest", alg["algorithm"])
    if cms:
        eci = sd["encapContentInfo"]
        has = eci["eContent"].isValue
        print("content", encoder.encode(univ.OctetString(eci["eContent"].asOctets())).hex() if has else "-")
    else:
        c = sd["contentInfo"]["content"]
        print("content", bytes(c).hex() if c.isValue else "-")
    certs = sd["certificates"]
    if certs.isValue:
        for choice in certs:
            name = choice.getName()
            if name == "certificate":
                print("cert", encoder.encode(choice["certificate"]).hex())
    crls = sd["crls"]
    if crls.isValue:
        for choice in crls:
            if choice.getName() == "crl":
                print("crl", encoder.encode(choice["crl"]).hex())
    for si in sd["signerInfos"]:
        sid = si["sid"] if cms else None
        if cms and sid.getName() == "subjectKeyIdentifier":
            kind, value = "kid", bytes(sid["subjectKeyIdentifier"]).hex()
        elif cms:
            kind, value = "ias", encoder.encode(sid["issuerAndSerialNumber"]).hex()
        else:
            kind, value = "ias", encoder.encode(si["issuerAndSerialNumber"]).hex()
        print("signer", int(si["version"]), kind, value)
        print("digestalg", encoder.encode(si["digestAlgorithm"]).hex())
        sig_alg = si["signatureAlgorithm"] if cms else si["digestEncryptionAlgorithm"]
        print("sigalg", encoder.encode(sig_alg).hex())
        print("signature", bytes(si["signature"] if cms else si["encryptedDigest"]).hex())
        attrs = si["signedAttrs"] if cms else si["authenticatedAttributes"]
        if attrs.isValue:
            for a in attrs:  # in the order received
                print("attr", a["attrType"] if cms else a["type"], encoder.encode(a).hex())
        else:
            print("attr -")
        un = si["unsignedAttrs"] if cms else si["unauthenticatedAttributes"]
        print("unsigned", len(un) if un.isValue else "-")
    print("end")


def main():
    for path in sys.argv[1:]:
        try:
            report(path)
        except Exception as e:  # pyasn1 cannot read it: say so, the test skips it
            print("unreadable", path, type(e).__name__)
    return 0


if __name__ == "__main__":
    sys.exit(main())
