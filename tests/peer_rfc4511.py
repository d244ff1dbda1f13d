"""LDAPv3 messages for tests/asn1_peer.py: pyasn1-modules' rfc2251 with its faults corrected against
RFC 4511. DelRequest and AbandonRequest are primitive ([APPLICATION 10] LDAPDN, [APPLICATION 16]
MessageID), not LDAPResults; IntermediateResponse [APPLICATION 25] is added; Filter nests ten levels (the
module stops at three) with `not` tagged explicitly. Use as peer_rfc4511.LDAPMessage."""

from pyasn1.type import namedtype, tag, univ
from pyasn1_modules import rfc2251 as base


def app(n, constructed=True):
    return tag.Tag(tag.tagClassApplication, tag.tagFormatConstructed if constructed else tag.tagFormatSimple, n)


def ctx(n, constructed=True):
    return tag.Tag(tag.tagClassContext, tag.tagFormatConstructed if constructed else tag.tagFormatSimple, n)


def replaced(seq, name, new):
    """The components of `seq` with `name` of type `new`."""
    return namedtype.NamedTypes(*[namedtype.NamedType(name, new) if nt.name == name else nt
                                  for nt in seq.componentType.namedTypes])


def filter_level(inner):
    """One level of Filter whose and/or/not hold `inner` (None: the leaves only)."""
    leaves = [nt for nt in base.Filter.componentType.namedTypes if nt.name not in ("and", "or", "not")]
    nested = [] if inner is None else [
        namedtype.NamedType("and", univ.SetOf(componentType=inner).subtype(implicitTag=ctx(0))),
        namedtype.NamedType("or", univ.SetOf(componentType=inner).subtype(implicitTag=ctx(1))),
        namedtype.NamedType("not", inner.subtype(explicitTag=ctx(2)))]
    return univ.Choice(componentType=namedtype.NamedTypes(*(nested + leaves)))


Filter = None
for _ in range(10):
    Filter = filter_level(Filter)


class DelRequest(univ.OctetString):  # classes: tests/asn1_peer.py undoes the tags added to an instance
    tagSet = univ.OctetString.tagSet.tagImplicitly(app(10, False))


class AbandonRequest(univ.Integer):
    tagSet = univ.Integer.tagSet.tagImplicitly(app(16, False))


class IntermediateResponse(univ.Sequence):
    tagSet = univ.Sequence.tagSet.tagImplicitly(app(25))
    componentType = namedtype.NamedTypes(
        namedtype.OptionalNamedType("responseName", univ.OctetString().subtype(implicitTag=ctx(0, False))),
        namedtype.OptionalNamedType("responseValue", univ.OctetString().subtype(implicitTag=ctx(1, False))))


FIXED = {"searchRequest": base.SearchRequest().clone(componentType=replaced(base.SearchRequest, "filter", Filter)),
         "delRequest": DelRequest(), "abandonRequest": AbandonRequest()}
_ops = base.LDAPMessage.componentType["protocolOp"].asn1Object.componentType.namedTypes
ProtocolOp = univ.Choice(componentType=namedtype.NamedTypes(
    *[namedtype.NamedType(nt.name, FIXED.get(nt.name, nt.asn1Object)) for nt in _ops],
    namedtype.NamedType("intermediateResponse", IntermediateResponse())))


class LDAPMessage(univ.Sequence):
    componentType = replaced(base.LDAPMessage, "protocolOp", ProtocolOp)
