"""RFC 5055 (SCVP), Appendix A, for pyasn1: the module transcribed from the RFC
(DEFINITIONS IMPLICIT TAGS; a tagged CHOICE is EXPLICIT), importing
Certificate, CertificateList, GeneralName(s), Extensions and
AlgorithmIdentifier from rfc5280, AttributeCertificate from rfc5755 and
OCSPResponse from rfc6960. Read by tests/asn1_peer.py as MODULE scvp_rfc5055.
"""

from pyasn1 import error
from pyasn1.codec.der import encoder
from pyasn1.type import char, constraint, namedtype, namedval, tag, univ, useful
from pyasn1_modules import rfc5280, rfc5652, rfc5755, rfc6960

MAX = float("inf")


def _tag(n, fmt):
    return tag.Tag(tag.tagClassContext, fmt, n)


def implicit(obj, n, fmt=tag.tagFormatConstructed):
    return obj.subtype(implicitTag=_tag(n, fmt))


def explicit(obj, n):
    return obj.subtype(explicitTag=_tag(n, tag.tagFormatConstructed))


def seq_of(component, min_size=0):
    class S(univ.SequenceOf):
        componentType = component
        if min_size:
            sizeSpec = constraint.ValueSizeConstraint(min_size, MAX)
    return S


id_sha1 = univ.ObjectIdentifier("1.3.14.3.2.26")


class HashAlgorithm(rfc5280.AlgorithmIdentifier):
    def __eq__(self, other):  # by DER: pyasn1 cannot compare with a DEFAULT whose parameters are absent
        try:
            return encoder.encode(self) == encoder.encode(other)
        except error.PyAsn1Error:
            return False

    __hash__ = rfc5280.AlgorithmIdentifier.__hash__


def _sha1():
    a = HashAlgorithm()
    a["algorithm"] = id_sha1
    return a


class SCVPIssuerSerial(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("issuer", rfc5280.GeneralNames()),
        namedtype.NamedType("serialNumber", rfc5280.CertificateSerialNumber()))


class SCVPCertID(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("certHash", univ.OctetString()),
        namedtype.NamedType("issuerSerial", SCVPIssuerSerial()),
        namedtype.DefaultedNamedType("hashAlgorithm", _sha1()))


class PKCReference(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("cert", implicit(rfc5280.Certificate(), 0)),
        namedtype.NamedType("pkcRef", implicit(SCVPCertID(), 1)))


class ACReference(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("attrCert", implicit(rfc5755.AttributeCertificate(), 2)),
        namedtype.NamedType("acRef", implicit(SCVPCertID(), 3)))


class CertReference(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("pkc", PKCReference()),
        namedtype.NamedType("ac", ACReference()))


class CertReferences(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("pkcRefs", implicit(seq_of(PKCReference(), 1)(), 0)),
        namedtype.NamedType("acRefs", implicit(seq_of(ACReference(), 1)(), 1)))


CertChecks = seq_of(univ.ObjectIdentifier(), 1)
WantBack = seq_of(univ.ObjectIdentifier(), 1)
TrustAnchors = seq_of(PKCReference(), 1)
CertBundle = seq_of(rfc5280.Certificate(), 1)
CertBundles = seq_of(CertBundle(), 1)


class ValidationPolRef(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("valPolId", univ.ObjectIdentifier()),
        namedtype.OptionalNamedType("valPolParams", univ.Any()))


class ValidationAlg(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("valAlgId", univ.ObjectIdentifier()),
        namedtype.OptionalNamedType("parameters", univ.Any()))


class NameValidationAlgParms(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("nameCompAlgId", univ.ObjectIdentifier()),
        namedtype.NamedType("validationNames", rfc5280.GeneralNames()))


class ValidationPolicy(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("validationPolRef", ValidationPolRef()),
        namedtype.OptionalNamedType("validationAlg", implicit(ValidationAlg(), 0)),
        namedtype.OptionalNamedType("userPolicySet", implicit(seq_of(univ.ObjectIdentifier(), 1)(), 1)),
        namedtype.OptionalNamedType("inhibitPolicyMapping", implicit(univ.Boolean(), 2, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("requireExplicitPolicy", implicit(univ.Boolean(), 3, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("inhibitAnyPolicy", implicit(univ.Boolean(), 4, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("trustAnchors", implicit(TrustAnchors(), 5)),
        namedtype.OptionalNamedType("keyUsages", implicit(seq_of(rfc5280.KeyUsage())(), 6)),
        namedtype.OptionalNamedType("extendedKeyUsages", implicit(seq_of(rfc5280.KeyPurposeId())(), 7)),
        namedtype.OptionalNamedType("specifiedKeyUsages", implicit(seq_of(rfc5280.KeyPurposeId())(), 8)))


class RespValidationPolicy(ValidationPolicy):
    pass


def _flag(n, value):
    return univ.Boolean(value).subtype(implicitTag=_tag(n, tag.tagFormatSimple))


class ResponseFlags(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.DefaultedNamedType("fullRequestInResponse", _flag(0, False)),
        namedtype.DefaultedNamedType("responseValidationPolByRef", _flag(1, True)),
        namedtype.DefaultedNamedType("protectResponse", _flag(2, True)),
        namedtype.DefaultedNamedType("cachedResponse", _flag(3, True)))


class OtherRevInfo(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("riType", univ.ObjectIdentifier()),
        namedtype.NamedType("riValue", univ.Any()))


class RevocationInfo(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("crl", implicit(rfc5280.CertificateList(), 0)),
        namedtype.NamedType("delta-crl", implicit(rfc5280.CertificateList(), 1)),
        namedtype.NamedType("ocsp", implicit(rfc6960.OCSPResponse(), 2)),
        namedtype.NamedType("other", implicit(OtherRevInfo(), 3)))


RevocationInfos = seq_of(RevocationInfo(), 1)


class Query(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("queriedCerts", CertReferences()),
        namedtype.NamedType("checks", CertChecks()),
        namedtype.OptionalNamedType("wantBack", implicit(WantBack(), 1)),
        namedtype.NamedType("validationPolicy", ValidationPolicy()),
        namedtype.OptionalNamedType("responseFlags", ResponseFlags()),
        namedtype.OptionalNamedType("serverContextInfo", implicit(univ.OctetString(), 2, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("validationTime", implicit(useful.GeneralizedTime(), 3, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("intermediateCerts", implicit(CertBundle(), 4)),
        namedtype.OptionalNamedType("revInfos", implicit(RevocationInfos(), 5)),
        namedtype.OptionalNamedType("producedAt", implicit(useful.GeneralizedTime(), 6, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("queryExtensions", implicit(rfc5280.Extensions(), 7)))


class CVRequest(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.DefaultedNamedType("cvRequestVersion", univ.Integer(1)),
        namedtype.NamedType("query", Query()),
        namedtype.OptionalNamedType("requestorRef", implicit(rfc5280.GeneralNames(), 0)),
        namedtype.OptionalNamedType("requestNonce", implicit(univ.OctetString(), 1, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("requestorName", explicit(rfc5280.GeneralName(), 2)),
        namedtype.OptionalNamedType("responderName", explicit(rfc5280.GeneralName(), 3)),
        namedtype.OptionalNamedType("requestExtensions", implicit(rfc5280.Extensions(), 4)),
        namedtype.OptionalNamedType("signatureAlg", implicit(rfc5280.AlgorithmIdentifier(), 5)),
        namedtype.OptionalNamedType("hashAlg", implicit(univ.ObjectIdentifier(), 6, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("requestorText", char.UTF8String().subtype(
            subtypeSpec=constraint.ValueSizeConstraint(1, 256), implicitTag=_tag(7, tag.tagFormatSimple))))


class CVStatusCode(univ.Enumerated):  # okay (0), skipUnrecognizedItems (1), tooBusy (10), ...
    pass


class ResponseStatus(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.DefaultedNamedType("statusCode", CVStatusCode(0)),
        namedtype.OptionalNamedType("errorMessage", char.UTF8String()))


class HashValue(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.DefaultedNamedType("algorithm", _sha1()),
        namedtype.NamedType("value", univ.OctetString()))


class RequestReference(univ.Choice):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("requestHash", implicit(HashValue(), 0)),
        namedtype.NamedType("fullRequest", implicit(CVRequest(), 1)))


class ReplyStatus(univ.Enumerated):  # success (0), malformedPKC (1), ... wantBackUnsatisfied (8)
    pass


class ReplyCheck(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("check", univ.ObjectIdentifier()),
        namedtype.DefaultedNamedType("status", univ.Integer(0)))


class ReplyWantBack(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("wb", univ.ObjectIdentifier()),
        namedtype.NamedType("value", univ.OctetString()))


ReplyChecks = seq_of(ReplyCheck())
ReplyWantBacks = seq_of(ReplyWantBack())


class CertReply(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("cert", CertReference()),
        namedtype.DefaultedNamedType("replyStatus", ReplyStatus(0)),
        namedtype.NamedType("replyValTime", useful.GeneralizedTime()),
        namedtype.NamedType("replyChecks", ReplyChecks()),
        namedtype.NamedType("replyWantBacks", ReplyWantBacks()),
        namedtype.OptionalNamedType("validationErrors", implicit(seq_of(univ.ObjectIdentifier(), 1)(), 0)),
        namedtype.OptionalNamedType("nextUpdate", implicit(useful.GeneralizedTime(), 1, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("certReplyExtensions", implicit(rfc5280.Extensions(), 2)))


ReplyObjects = seq_of(CertReply(), 1)


class CVResponse(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("cvResponseVersion", univ.Integer()),
        namedtype.NamedType("serverConfigurationID", univ.Integer()),
        namedtype.NamedType("producedAt", useful.GeneralizedTime()),
        namedtype.NamedType("responseStatus", ResponseStatus()),
        namedtype.OptionalNamedType("respValidationPolicy", implicit(RespValidationPolicy(), 0)),
        namedtype.OptionalNamedType("requestRef", explicit(RequestReference(), 1)),
        namedtype.OptionalNamedType("requestorRef", implicit(rfc5280.GeneralNames(), 2)),
        namedtype.OptionalNamedType("requestorName", implicit(rfc5280.GeneralNames(), 3)),
        namedtype.OptionalNamedType("replyObjects", implicit(ReplyObjects(), 4)),
        namedtype.OptionalNamedType("respNonce", implicit(univ.OctetString(), 5, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("serverContextInfo", implicit(univ.OctetString(), 6, tag.tagFormatSimple)),
        namedtype.OptionalNamedType("cvResponseExtensions", implicit(rfc5280.Extensions(), 7)),
        namedtype.OptionalNamedType("requestorText", char.UTF8String().subtype(
            subtypeSpec=constraint.ValueSizeConstraint(1, 256), implicitTag=_tag(8, tag.tagFormatSimple))))


class RevInfoWantBack(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("revocationInfo", RevocationInfos()),
        namedtype.OptionalNamedType("extraCerts", CertBundle()))


SCVPResponses = seq_of(rfc5652.ContentInfo())


class ValPolRequest(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.DefaultedNamedType("vpRequestVersion", univ.Integer(1)),
        namedtype.NamedType("requestNonce", univ.OctetString()))


class KeyAgreePublicKey(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("algorithm", rfc5280.AlgorithmIdentifier()),
        namedtype.NamedType("publicKey", univ.BitString()),
        namedtype.NamedType("macAlgorithm", rfc5280.AlgorithmIdentifier()),
        namedtype.OptionalNamedType("kDF", rfc5280.AlgorithmIdentifier()))


class ResponseTypes(univ.Enumerated):
    namedValues = namedval.NamedValues(("cached-only", 0), ("non-cached-only", 1), ("cached-and-non-cached", 2))


class RevocationInfoTypes(univ.BitString):
    namedValues = namedval.NamedValues(("fullCRLs", 0), ("deltaCRLs", 1), ("indirectCRLs", 2), ("oCSPResponses", 3))


class ValPolResponse(univ.Sequence):
    componentType = namedtype.NamedTypes(
        namedtype.NamedType("vpResponseVersion", univ.Integer()),
        namedtype.NamedType("maxCVRequestVersion", univ.Integer()),
        namedtype.NamedType("maxVPRequestVersion", univ.Integer()),
        namedtype.NamedType("serverConfigurationID", univ.Integer()),
        namedtype.NamedType("thisUpdate", useful.GeneralizedTime()),
        namedtype.OptionalNamedType("nextUpdate", useful.GeneralizedTime()),
        namedtype.NamedType("supportedChecks", CertChecks()),
        namedtype.NamedType("supportedWantBacks", WantBack()),
        namedtype.NamedType("validationPolicies", seq_of(univ.ObjectIdentifier())()),
        namedtype.NamedType("validationAlgs", seq_of(univ.ObjectIdentifier())()),
        namedtype.NamedType("authPolicies", seq_of(univ.ObjectIdentifier())()),
        namedtype.NamedType("responseTypes", ResponseTypes()),
        namedtype.NamedType("defaultPolicyValues", RespValidationPolicy()),
        namedtype.NamedType("revocationInfoTypes", RevocationInfoTypes()),
        namedtype.NamedType("signatureGeneration", seq_of(rfc5280.AlgorithmIdentifier())()),
        namedtype.NamedType("signatureVerification", seq_of(rfc5280.AlgorithmIdentifier())()),
        namedtype.NamedType("hashAlgorithms", seq_of(univ.ObjectIdentifier(), 1)()),
        namedtype.OptionalNamedType("serverPublicKeys", seq_of(KeyAgreePublicKey())()),
        namedtype.DefaultedNamedType("clockSkew", univ.Integer(10)),
        namedtype.OptionalNamedType("requestNonce", univ.OctetString()))
