"""RFC 5055 (SCVP), Appendix A, for pyasn1 (read by tests/asn1_peer.py as MODULE scvp_rfc5055): the types the tests
read, transcribed from the RFC (DEFINITIONS IMPLICIT TAGS; a tagged CHOICE is EXPLICIT) over rfc5280, rfc5755 and
rfc6960's types, each type one expression with its components in the RFC's order.
"""

from pyasn1 import error
from pyasn1.codec.der import encoder
from pyasn1.type import char, constraint, namedtype as nt, tag, univ, useful
from pyasn1_modules import rfc5280, rfc5755, rfc6960

N, O, D = nt.NamedType, nt.OptionalNamedType, nt.DefaultedNamedType
TEXT = char.UTF8String().subtype(subtypeSpec=constraint.ValueSizeConstraint(1, 256))  # UTF8String (SIZE (1..256))
OID, OCTETS, INT, TIME, BOOL = univ.ObjectIdentifier, univ.OctetString, univ.Integer, useful.GeneralizedTime, univ.Boolean
ALG, NAMES, EXTS, CERT, CRL = (rfc5280.AlgorithmIdentifier, rfc5280.GeneralNames, rfc5280.Extensions,
                               rfc5280.Certificate, rfc5280.CertificateList)


def t(n, obj):
    """[n] obj: EXPLICIT around a CHOICE, IMPLICIT otherwise."""
    if isinstance(obj, univ.Choice):
        return obj.subtype(explicitTag=tag.Tag(tag.tagClassContext, tag.tagFormatConstructed, n))
    fmt = tag.tagFormatConstructed if isinstance(obj, (univ.Sequence, univ.SequenceOf)) else tag.tagFormatSimple
    return obj.subtype(implicitTag=tag.Tag(tag.tagClassContext, fmt, n))


def seq(*fields):
    return type("Sequence", (univ.Sequence,), {"componentType": nt.NamedTypes(*fields)})


def choice(*fields):
    return type("Choice", (univ.Choice,), {"componentType": nt.NamedTypes(*fields)})


def seq_of(component, min_size=0):  # SEQUENCE SIZE (1..MAX) OF when min_size is 1
    size = constraint.ValueSizeConstraint(min_size, float("inf")) if min_size else constraint.ConstraintsIntersection()
    return type("SequenceOf", (univ.SequenceOf,), {"componentType": component, "sizeSpec": size})()


class HashAlgorithm(ALG):
    def __eq__(self, other):  # by DER: pyasn1 cannot compare with a DEFAULT whose parameters are absent
        try:
            return encoder.encode(self) == encoder.encode(other)
        except error.PyAsn1Error:
            return False

    __hash__ = ALG.__hash__


SHA1 = HashAlgorithm()  # DEFAULT { algorithm sha-1 }
SHA1["algorithm"] = OID("1.3.14.3.2.26")


SCVPIssuerSerial = seq(N("issuer", NAMES()), N("serialNumber", rfc5280.CertificateSerialNumber()))
SCVPCertID = seq(N("certHash", OCTETS()), N("issuerSerial", SCVPIssuerSerial()), D("hashAlgorithm", SHA1))
PKCReference = choice(N("cert", t(0, CERT())), N("pkcRef", t(1, SCVPCertID())))
ACReference = choice(N("attrCert", t(2, rfc5755.AttributeCertificate())), N("acRef", t(3, SCVPCertID())))
CertReference = choice(N("pkc", PKCReference()), N("ac", ACReference()))
CertReferences = choice(N("pkcRefs", t(0, seq_of(PKCReference(), 1))), N("acRefs", t(1, seq_of(ACReference(), 1))))
ValidationPolRef = seq(N("valPolId", OID()), O("valPolParams", univ.Any()))
ValidationAlg = seq(N("valAlgId", OID()), O("parameters", univ.Any()))
ValidationPolicy = seq(
    N("validationPolRef", ValidationPolRef()), O("validationAlg", t(0, ValidationAlg())),
    O("userPolicySet", t(1, seq_of(OID(), 1))), O("inhibitPolicyMapping", t(2, BOOL())),
    O("requireExplicitPolicy", t(3, BOOL())), O("inhibitAnyPolicy", t(4, BOOL())),
    O("trustAnchors", t(5, seq_of(PKCReference(), 1))), O("keyUsages", t(6, seq_of(rfc5280.KeyUsage()))),
    O("extendedKeyUsages", t(7, seq_of(OID()))), O("specifiedKeyUsages", t(8, seq_of(OID()))))
ResponseFlags = seq(D("fullRequestInResponse", t(0, BOOL(False))), D("responseValidationPolByRef", t(1, BOOL(True))),
                    D("protectResponse", t(2, BOOL(True))), D("cachedResponse", t(3, BOOL(True))))
OtherRevInfo = seq(N("riType", OID()), N("riValue", univ.Any()))
RevocationInfo = choice(N("crl", t(0, CRL())), N("delta-crl", t(1, CRL())), N("ocsp", t(2, rfc6960.OCSPResponse())),
                        N("other", t(3, OtherRevInfo())))
Query = seq(
    N("queriedCerts", CertReferences()), N("checks", seq_of(OID(), 1)), O("wantBack", t(1, seq_of(OID(), 1))),
    N("validationPolicy", ValidationPolicy()), O("responseFlags", ResponseFlags()),
    O("serverContextInfo", t(2, OCTETS())), O("validationTime", t(3, TIME())),
    O("intermediateCerts", t(4, seq_of(CERT(), 1))), O("revInfos", t(5, seq_of(RevocationInfo(), 1))),
    O("producedAt", t(6, TIME())), O("queryExtensions", t(7, EXTS())))
CVRequest = seq(
    D("cvRequestVersion", INT(1)), N("query", Query()), O("requestorRef", t(0, NAMES())),
    O("requestNonce", t(1, OCTETS())), O("requestorName", t(2, rfc5280.GeneralName())),
    O("responderName", t(3, rfc5280.GeneralName())), O("requestExtensions", t(4, EXTS())),
    O("signatureAlg", t(5, ALG())), O("hashAlg", t(6, OID())), O("requestorText", t(7, TEXT)))
ResponseStatus = seq(D("statusCode", univ.Enumerated(0)), O("errorMessage", char.UTF8String()))
HashValue = seq(D("algorithm", SHA1), N("value", OCTETS()))
RequestReference = choice(N("requestHash", t(0, HashValue())), N("fullRequest", t(1, CVRequest())))
ReplyCheck = seq(N("check", OID()), D("status", INT(0)))
ReplyWantBack = seq(N("wb", OID()), N("value", OCTETS()))
CertReply = seq(
    N("cert", CertReference()), D("replyStatus", univ.Enumerated(0)), N("replyValTime", TIME()),
    N("replyChecks", seq_of(ReplyCheck())), N("replyWantBacks", seq_of(ReplyWantBack())),
    O("validationErrors", t(0, seq_of(OID(), 1))), O("nextUpdate", t(1, TIME())), O("certReplyExtensions", t(2, EXTS())))
CVResponse = seq(
    N("cvResponseVersion", INT()), N("serverConfigurationID", INT()), N("producedAt", TIME()),
    N("responseStatus", ResponseStatus()), O("respValidationPolicy", t(0, ValidationPolicy())),
    O("requestRef", t(1, RequestReference())), O("requestorRef", t(2, NAMES())), O("requestorName", t(3, NAMES())),
    O("replyObjects", t(4, seq_of(CertReply(), 1))), O("respNonce", t(5, OCTETS())),
    O("serverContextInfo", t(6, OCTETS())), O("cvResponseExtensions", t(7, EXTS())), O("requestorText", t(8, TEXT)))
ValPolRequest = seq(D("vpRequestVersion", INT(1)), N("requestNonce", OCTETS()))
KeyAgreePublicKey = seq(N("algorithm", ALG()), N("publicKey", univ.BitString()), N("macAlgorithm", ALG()),
                        O("kDF", ALG()))
ValPolResponse = seq(
    N("vpResponseVersion", INT()), N("maxCVRequestVersion", INT()), N("maxVPRequestVersion", INT()),
    N("serverConfigurationID", INT()), N("thisUpdate", TIME()), O("nextUpdate", TIME()),
    N("supportedChecks", seq_of(OID(), 1)), N("supportedWantBacks", seq_of(OID(), 1)),
    N("validationPolicies", seq_of(OID())), N("validationAlgs", seq_of(OID())), N("authPolicies", seq_of(OID())),
    N("responseTypes", univ.Enumerated()), N("defaultPolicyValues", ValidationPolicy()),
    N("revocationInfoTypes", univ.BitString()), N("signatureGeneration", seq_of(ALG())),
    N("signatureVerification", seq_of(ALG())), N("hashAlgorithms", seq_of(OID(), 1)),
    O("serverPublicKeys", seq_of(KeyAgreePublicKey())), D("clockSkew", INT(10)), O("requestNonce", OCTETS()))
