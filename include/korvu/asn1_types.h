/* Type numbers of the registry (0 to 449). Generated from core/catalog.inc
   by scripts/gen_types.py: edit the catalogue, not this file. */
#ifndef KORVU_ASN1_TYPES_H
#define KORVU_ASN1_TYPES_H

#define KORVU_TYPE_END_OF_CONTENTS 0 /* end-of-contents */
#define KORVU_TYPE_BOOLEAN 1 /* BOOLEAN */
#define KORVU_TYPE_INTEGER 2 /* INTEGER */
#define KORVU_TYPE_BIT_STRING 3 /* BIT STRING */
#define KORVU_TYPE_OCTET_STRING 4 /* OCTET STRING */
#define KORVU_TYPE_NULL 5 /* NULL */
#define KORVU_TYPE_OBJECT_IDENTIFIER 6 /* OBJECT IDENTIFIER */
#define KORVU_TYPE_ENUMERATED 7 /* ENUMERATED */
#define KORVU_TYPE_STRING 8 /* string (abstract, no tag of its own) */
#define KORVU_TYPE_UTF8STRING 9 /* UTF8String */
#define KORVU_TYPE_NUMERICSTRING 10 /* NumericString */
#define KORVU_TYPE_PRINTABLESTRING 11 /* PrintableString */
#define KORVU_TYPE_TELETEXSTRING 12 /* TeletexString */
#define KORVU_TYPE_VIDEOTEXSTRING 13 /* VideotexString */
#define KORVU_TYPE_IA5STRING 14 /* IA5String */
#define KORVU_TYPE_GRAPHICSTRING 15 /* GraphicString */
#define KORVU_TYPE_VISIBLESTRING 16 /* VisibleString */
#define KORVU_TYPE_GENERALSTRING 17 /* GeneralString */
#define KORVU_TYPE_UNIVERSALSTRING 18 /* UniversalString */
#define KORVU_TYPE_BMPSTRING 19 /* BMPString */
#define KORVU_TYPE_TIME 20 /* Time (UTCTime or GeneralizedTime) */
#define KORVU_TYPE_UTCTIME 21 /* UTCTime */
#define KORVU_TYPE_GENERALIZEDTIME 22 /* GeneralizedTime */
#define KORVU_TYPE_ANY 23 /* ANY */
#define KORVU_TYPE_SEQUENCE_OF_ANY 24 /* SEQUENCE OF ANY */
#define KORVU_TYPE_SEQUENCE_SIZE_OF_ANY 25 /* SEQUENCE SIZE (1..MAX) OF ANY */
#define KORVU_TYPE_SET_OF_ANY 26 /* SET OF ANY */
#define KORVU_TYPE_SET_SIZE_OF_ANY 27 /* SET SIZE (1..MAX) OF ANY */
#define KORVU_TYPE_CONTEXT 28 /* Context */
#define KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE 29 /* AttributeTypeAndDistinguishedValue */
#define KORVU_TYPE_ATTRIBUTETYPEANDVALUE 30 /* AttributeTypeAndValue (PKIX form) */
#define KORVU_TYPE_RELATIVEDISTINGUISHEDNAME 31 /* RelativeDistinguishedName */
#define KORVU_TYPE_NAME 32 /* Name */
#define KORVU_TYPE_ALGORITHMIDENTIFIER 33 /* AlgorithmIdentifier */
#define KORVU_TYPE_VALIDITY 34 /* Validity */
#define KORVU_TYPE_SUBJECTPUBLICKEYINFO 35 /* SubjectPublicKeyInfo */
#define KORVU_TYPE_EXTENSION 36 /* Extension */
#define KORVU_TYPE_EXTENSIONS 37 /* Extensions */
#define KORVU_TYPE_TBSCERTIFICATE 38 /* TBSCertificate */
#define KORVU_TYPE_CERTIFICATE 39 /* Certificate */
#define KORVU_TYPE_TBSCERTLIST 40 /* TBSCertList */
#define KORVU_TYPE_CERTIFICATELIST 41 /* CertificateList */
#define KORVU_TYPE_ATTRIBUTE 42 /* Attribute (X.500 form) */
#define KORVU_TYPE_ATTRIBUTE_PLAIN 43 /* Attribute (plain form) */
#define KORVU_TYPE_ATTRIBUTES 44 /* Attributes */
#define KORVU_TYPE_CERTIFICATIONREQUESTINFO 45 /* CertificationRequestInfo */
#define KORVU_TYPE_CERTIFICATIONREQUEST 46 /* CertificationRequest */
#define KORVU_TYPE_DIRECTORYSTRING 47 /* DirectoryString */
#define KORVU_TYPE_UUIDPAIR 48 /* UUIDPair */
#define KORVU_TYPE_POSTALADDRESS 49 /* PostalAddress */
#define KORVU_TYPE_TELEXNUMBER 50 /* TelexNumber */
#define KORVU_TYPE_NAMEANDOPTIONALUID 51 /* NameAndOptionalUID */
#define KORVU_TYPE_PKCS9STRING 52 /* PKCS9String */
#define KORVU_TYPE_SMIMECAPABILITY 53 /* SMIMECapability */
#define KORVU_TYPE_SMIMECAPABILITIES 54 /* SMIMECapabilities */
#define KORVU_TYPE_CERTIFICATEPAIR 55 /* CertificatePair */
#define KORVU_TYPE_RSAPUBLICKEY 56 /* RSAPublicKey */
#define KORVU_TYPE_DIGESTINFO 57 /* DigestInfo */
#define KORVU_TYPE_DSS_SIG_VALUE 58 /* Dss-Sig-Value */
#define KORVU_TYPE_ECDSA_SIG_VALUE 59 /* ECDSA-Sig-Value */
#define KORVU_TYPE_DSS_PARMS 60 /* Dss-Parms */
#define KORVU_TYPE_OTHERNAME 61 /* OtherName */
#define KORVU_TYPE_EDIPARTYNAME 62 /* EDIPartyName */
#define KORVU_TYPE_GENERALNAME 63 /* GeneralName */
#define KORVU_TYPE_GENERALNAMES 64 /* GeneralNames */
#define KORVU_TYPE_AUTHORITYKEYIDENTIFIER 65 /* AuthorityKeyIdentifier */
#define KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER 66 /* SEQUENCE OF OBJECT IDENTIFIER (ExtKeyUsage) */
#define KORVU_TYPE_PRIVATEKEYUSAGEPERIOD 67 /* PrivateKeyUsagePeriod */
#define KORVU_TYPE_POLICYQUALIFIERINFO 68 /* PolicyQualifierInfo */
#define KORVU_TYPE_POLICYINFORMATION 69 /* PolicyInformation */
#define KORVU_TYPE_CERTIFICATEPOLICIES 70 /* CertificatePolicies */
#define KORVU_TYPE_DISPLAYTEXT 71 /* DisplayText */
#define KORVU_TYPE_NOTICEREFERENCE 72 /* NoticeReference */
#define KORVU_TYPE_USERNOTICE 73 /* UserNotice */
#define KORVU_TYPE_POLICYMAPPINGS 74 /* PolicyMappings */
#define KORVU_TYPE_SUBJECTDIRECTORYATTRIBUTES 75 /* SubjectDirectoryAttributes */
#define KORVU_TYPE_BASICCONSTRAINTS 76 /* BasicConstraints */
#define KORVU_TYPE_GENERALSUBTREE 77 /* GeneralSubtree */
#define KORVU_TYPE_GENERALSUBTREES 78 /* GeneralSubtrees */
#define KORVU_TYPE_NAMEFORMS 79 /* NameForms */
#define KORVU_TYPE_NAMECONSTRAINTS 80 /* NameConstraints (X.509 form) */
#define KORVU_TYPE_NAMECONSTRAINTS_PKIX 81 /* NameConstraints (PKIX form) */
#define KORVU_TYPE_POLICYCONSTRAINTS 82 /* PolicyConstraints */
#define KORVU_TYPE_DISTRIBUTIONPOINTNAME 83 /* DistributionPointName */
#define KORVU_TYPE_DISTRIBUTIONPOINT 84 /* DistributionPoint */
#define KORVU_TYPE_CRLDISTRIBUTIONPOINTS 85 /* CRLDistributionPoints (also FreshestCRL) */
#define KORVU_TYPE_ACCESSDESCRIPTION 86 /* AccessDescription */
#define KORVU_TYPE_AUTHORITYINFOACCESS 87 /* AuthorityInfoAccess (also SubjectInfoAccess) */
#define KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT 88 /* IssuingDistributionPoint */
#define KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT 89 /* AAIssuingDistributionPoint */
#define KORVU_TYPE_RELATIVE_OID 90 /* RELATIVE-OID */
#define KORVU_TYPE_SEQUENCE_OF_DIGESTINFO 91 /* SEQUENCE OF DigestInfo (old certificate thumbprints) */
#define KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY 92 /* revoked-certificate entry */
#define KORVU_TYPE_PRIVKEYATTRIBUTE 93 /* PrivKeyAttribute */
#define KORVU_TYPE_STOREATTRIBUTE 94 /* StoreAttribute */
#define KORVU_TYPE_STOREATTRIBUTELIST 95 /* StoreAttributeList */
#define KORVU_TYPE_CERTWITHATTRIBUTES 96 /* CertWithAttributes */
#define KORVU_TYPE_CERTSTORE 97 /* CertStore */
#define KORVU_TYPE_PRIVKEYID 98 /* PrivKeyId */
#define KORVU_TYPE_RSAPRIVATEKEY 99 /* RSAPrivateKey */
#define KORVU_TYPE_RSAES_OAEP_PARAMS 100 /* RSAES-OAEP-params */
#define KORVU_TYPE_RSASSA_PSS_PARAMS 101 /* RSASSA-PSS-params */
#define KORVU_TYPE_DHPARAMETER 102 /* DHParameter */
#define KORVU_TYPE_PRIVATEKEYINFO 103 /* PrivateKeyInfo */
#define KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO 104 /* EncryptedPrivateKeyInfo */
#define KORVU_TYPE_PBKDF2_PARAMS 105 /* PBKDF2-params */
#define KORVU_TYPE_PBEPARAMETER 106 /* PBEParameter */
#define KORVU_TYPE_PBES2_PARAMS 107 /* PBES2-params */
#define KORVU_TYPE_PBMAC1_PARAMS 108 /* PBMAC1-params */
#define KORVU_TYPE_RC2_CBC_PARAMETER 109 /* RC2-CBC-Parameter */
#define KORVU_TYPE_RC5_CBC_PARAMETERS 110 /* RC5-CBC-Parameters */
#define KORVU_TYPE_CONTENTINFO 111 /* ContentInfo */
#define KORVU_TYPE_MACDATA 112 /* MacData */
#define KORVU_TYPE_PFX 113 /* PFX */
#define KORVU_TYPE_AUTHENTICATEDSAFE 114 /* AuthenticatedSafe */
#define KORVU_TYPE_SAFEBAG 115 /* SafeBag */
#define KORVU_TYPE_SAFECONTENTS 116 /* SafeContents */
#define KORVU_TYPE_CERTBAG 117 /* CertBag */
#define KORVU_TYPE_CRLBAG 118 /* CRLBag */
#define KORVU_TYPE_SECRETBAG 119 /* SecretBag */
#define KORVU_TYPE_PKCS12PBEPARAMS 120 /* PKCS12PbeParams */
#define KORVU_TYPE_DIGESTEDDATA 121 /* DigestedData (PKCS #7) */
#define KORVU_TYPE_ISSUERANDSERIALNUMBER 122 /* IssuerAndSerialNumber */
#define KORVU_TYPE_SIGNERIDENTIFIER 123 /* SignerIdentifier */
#define KORVU_TYPE_SIGNERINFO 124 /* SignerInfo */
#define KORVU_TYPE_SIGNERINFOS 125 /* SignerInfos */
#define KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS 126 /* DigestAlgorithmIdentifiers */
#define KORVU_TYPE_OTHERCERTIFICATEFORMAT 127 /* OtherCertificateFormat */
#define KORVU_TYPE_OTHERREVOCATIONINFOFORMAT 128 /* OtherRevocationInfoFormat */
#define KORVU_TYPE_CERTIFICATECHOICES 129 /* CertificateChoices */
#define KORVU_TYPE_REVOCATIONINFOCHOICE 130 /* RevocationInfoChoice */
#define KORVU_TYPE_CERTIFICATESET 131 /* CertificateSet */
#define KORVU_TYPE_REVOCATIONINFOCHOICES 132 /* RevocationInfoChoices */
#define KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM 133 /* SignedData, PKCS #7 form */
#define KORVU_TYPE_SIGNEDDATA_CMS_FORM 134 /* SignedData, CMS form */
#define KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM 135 /* distinguished-value-with-context item */
#define KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM 136 /* attribute-value-with-context item */
#define KORVU_TYPE_POLICYQUALIFIERINFOS 137 /* PolicyQualifierInfos */
#define KORVU_TYPE_NOTICENUMBERS 138 /* noticeNumbers */
#define KORVU_TYPE_POLICYMAPPING 139 /* PolicyMapping */
#define KORVU_TYPE_REVOKED_CERTIFICATE_LIST 140 /* revoked-certificate list */
#define KORVU_TYPE_CONTEXT_LIST 141 /* context list */
#define KORVU_TYPE_DISTINGUISHED_VALUES_WITH_CONTEXT 142 /* distinguished values with context */
#define KORVU_TYPE_ATTRIBUTE_VALUES_WITH_CONTEXT 143 /* attribute values with context */
#define KORVU_TYPE_OTHERPRIMEINFO 144 /* OtherPrimeInfo */
#define KORVU_TYPE_OTHERPRIMEINFOS 145 /* OtherPrimeInfos */
#define KORVU_TYPE_PBKDF2_SALT 146 /* PBKDF2 salt */
#define KORVU_TYPE_ENCAPSULATEDCONTENTINFO 147 /* EncapsulatedContentInfo */
#define KORVU_TYPE_ENCRYPTEDCONTENTINFO 148 /* EncryptedContentInfo */
#define KORVU_TYPE_ENCRYPTEDDATA 149 /* EncryptedData */
#define KORVU_TYPE_ORIGINATORINFO 150 /* OriginatorInfo */
#define KORVU_TYPE_KEYTRANSRECIPIENTINFO 151 /* KeyTransRecipientInfo */
#define KORVU_TYPE_ORIGINATORIDENTIFIERORKEY 152 /* OriginatorIdentifierOrKey */
#define KORVU_TYPE_OTHERKEYATTRIBUTE 153 /* OtherKeyAttribute */
#define KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER 154 /* RecipientKeyIdentifier, also KEKIdentifier */
#define KORVU_TYPE_KEYAGREERECIPIENTIDENTIFIER 155 /* KeyAgreeRecipientIdentifier */
#define KORVU_TYPE_RECIPIENTENCRYPTEDKEY 156 /* RecipientEncryptedKey */
#define KORVU_TYPE_RECIPIENTENCRYPTEDKEYS 157 /* RecipientEncryptedKeys */
#define KORVU_TYPE_KEYAGREERECIPIENTINFO 158 /* KeyAgreeRecipientInfo */
#define KORVU_TYPE_KEKRECIPIENTINFO 159 /* KEKRecipientInfo */
#define KORVU_TYPE_PASSWORDRECIPIENTINFO 160 /* PasswordRecipientInfo */
#define KORVU_TYPE_OTHERRECIPIENTINFO 161 /* OtherRecipientInfo */
#define KORVU_TYPE_RECIPIENTINFO 162 /* RecipientInfo */
#define KORVU_TYPE_RECIPIENTINFOS 163 /* RecipientInfos */
#define KORVU_TYPE_ENVELOPEDDATA 164 /* EnvelopedData */
#define KORVU_TYPE_AUTHENTICATEDDATA 165 /* AuthenticatedData */
#define KORVU_TYPE_DIFFIE_HELLMAN_KEYSPECIFICINFO 166 /* Diffie-Hellman KeySpecificInfo */
#define KORVU_TYPE_DIFFIE_HELLMAN_OTHERINFO 167 /* Diffie-Hellman OtherInfo */
#define KORVU_TYPE_CERTID 168 /* CertID */
#define KORVU_TYPE_REQUEST 169 /* Request */
#define KORVU_TYPE_REQUESTLIST 170 /* RequestList */
#define KORVU_TYPE_TBSREQUEST 171 /* TBSRequest */
#define KORVU_TYPE_SIGNATURE 172 /* Signature */
#define KORVU_TYPE_OCSPREQUEST 173 /* OCSPRequest */
#define KORVU_TYPE_RESPONSEBYTES 174 /* ResponseBytes */
#define KORVU_TYPE_OCSPRESPONSE 175 /* OCSPResponse */
#define KORVU_TYPE_RESPONDERID 176 /* ResponderID */
#define KORVU_TYPE_REVOKEDINFO 177 /* RevokedInfo */
#define KORVU_TYPE_CERTSTATUS 178 /* CertStatus */
#define KORVU_TYPE_SINGLERESPONSE 179 /* SingleResponse */
#define KORVU_TYPE_RESPONSES 180 /* Responses */
#define KORVU_TYPE_RESPONSEDATA 181 /* ResponseData */
#define KORVU_TYPE_BASICOCSPRESPONSE 182 /* BasicOCSPResponse */
#define KORVU_TYPE_CRLID 183 /* CrlID */
#define KORVU_TYPE_SERVICELOCATOR 184 /* ServiceLocator */
#define KORVU_TYPE_PREFERREDSIGNATUREALGORITHM 185 /* PreferredSignatureAlgorithm */
#define KORVU_TYPE_MESSAGEIMPRINT 186 /* MessageImprint */
#define KORVU_TYPE_TIMESTAMPREQ 187 /* TimeStampReq */
#define KORVU_TYPE_PKIFREETEXT 188 /* PKIFreeText */
#define KORVU_TYPE_PKISTATUSINFO 189 /* PKIStatusInfo */
#define KORVU_TYPE_TIMESTAMPRESP 190 /* TimeStampResp */
#define KORVU_TYPE_ACCURACY 191 /* Accuracy */
#define KORVU_TYPE_TSTINFO 192 /* TSTInfo */
#define KORVU_TYPE_ESS_ISSUERSERIAL 193 /* IssuerSerial */
#define KORVU_TYPE_ESSCERTID 194 /* ESSCertID */
#define KORVU_TYPE_ESSCERTIDV2 195 /* ESSCertIDv2 */
#define KORVU_TYPE_SEQUENCE_OF_ESSCERTID 196 /* SEQUENCE OF ESSCertID */
#define KORVU_TYPE_SEQUENCE_OF_ESSCERTIDV2 197 /* SEQUENCE OF ESSCertIDv2 */
#define KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION 198 /* SEQUENCE OF PolicyInformation */
#define KORVU_TYPE_SIGNINGCERTIFICATE 199 /* SigningCertificate */
#define KORVU_TYPE_SIGNINGCERTIFICATEV2 200 /* SigningCertificateV2 */
#define KORVU_TYPE_ECPKPARAMETERS 201 /* EcpkParameters */
#define KORVU_TYPE_ECPRIVATEKEY 202 /* ECPrivateKey */
#define KORVU_TYPE_SM2CIPHER 203 /* SM2Cipher */
#define KORVU_TYPE_SM2ENVELOPEDKEY 204 /* SM2EnvelopedKey */
#define KORVU_TYPE_RSAENVELOPEDKEYPAIR 205 /* RSAEnvelopedKeyPair */
#define KORVU_TYPE_INNERENVELOPEDKEYPAIR 206 /* InnerEnvelopedKeyPair */
#define KORVU_TYPE_ENVELOPEDKEYPAIR 207 /* EnvelopedKeyPair */
#define KORVU_TYPE_SPCINDIRECTDATACONTENT 208 /* SpcIndirectDataContent */
#define KORVU_TYPE_SPCSERIALIZEDOBJECT 209 /* SpcSerializedObject */
#define KORVU_TYPE_SPCSTRING 210 /* SpcString */
#define KORVU_TYPE_SPCLINK 211 /* SpcLink */
#define KORVU_TYPE_SPCPEIMAGEDATA 212 /* SpcPeImageData */
#define KORVU_TYPE_SPCSPOPUSINFO 213 /* SpcSpOpusInfo */
#define KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE 214 /* SpcAttributeTypeAndOptionalValue */
#define KORVU_TYPE_TIMESTAMPREQUEST 215 /* TimeStampRequest */
#define KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE 216 /* SMIMEEncryptionKeyPreference */
#define KORVU_TYPE_IDENTITYCODE 217 /* IdentityCode */
#define KORVU_TYPE_DHSIGSTATIC 218 /* DHSigStatic */
#define KORVU_TYPE_TYPEOFBIOMETRICDATA 219 /* TypeOfBiometricData */
#define KORVU_TYPE_BIOMETRICDATA 220 /* BiometricData */
#define KORVU_TYPE_QCSTATEMENT 221 /* QCStatement */
#define KORVU_TYPE_QCSTATEMENTS 222 /* QCStatements */
#define KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES 223 /* NameRegistrationAuthorities */
#define KORVU_TYPE_SEMANTICSINFORMATION 224 /* SemanticsInformation */
#define KORVU_TYPE_OTHERHASHALGANDVALUE 225 /* OtherHashAlgAndValue */
#define KORVU_TYPE_OTHERHASH 226 /* OtherHash */
#define KORVU_TYPE_OTHERCERTID 227 /* OtherCertID */
#define KORVU_TYPE_OTHERCERTIDS 228 /* OtherCertIDs */
#define KORVU_TYPE_OTHERSIGNINGCERT 229 /* OtherSigningCert */
#define KORVU_TYPE_SIGNATUREPOLICYID 230 /* SignaturePolicyId */
#define KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER 231 /* SignaturePolicyIdentifier */
#define KORVU_TYPE_COMMITMENTTYPEINDICATION 232 /* CommitmentTypeIndication */
#define KORVU_TYPE_SIGNERLOCATION 233 /* SignerLocation */
#define KORVU_TYPE_CRLIDENTIFIER 234 /* CrlIdentifier */
#define KORVU_TYPE_CRLVALIDATEDID 235 /* CrlValidatedID */
#define KORVU_TYPE_CRLVALIDATEDIDS 236 /* CrlValidatedIDs */
#define KORVU_TYPE_CRLLISTID 237 /* CRLListID */
#define KORVU_TYPE_OCSPIDENTIFIER 238 /* OcspIdentifier */
#define KORVU_TYPE_OCSPRESPONSESID 239 /* OcspResponsesID */
#define KORVU_TYPE_OCSPRESPONSESIDS 240 /* OcspResponsesIDs */
#define KORVU_TYPE_OCSPLISTID 241 /* OcspListID */
#define KORVU_TYPE_OTHERREVREFS 242 /* OtherRevRefs */
#define KORVU_TYPE_CRLOCSPREF 243 /* CrlOcspRef */
#define KORVU_TYPE_COMPLETEREVOCATIONREFS 244 /* CompleteRevocationRefs */
#define KORVU_TYPE_CERTIFICATES 245 /* Certificates */
#define KORVU_TYPE_CRLS 246 /* CRLs */
#define KORVU_TYPE_BASICOCSPRESPONSES 247 /* BasicOCSPResponses */
#define KORVU_TYPE_OTHERREVVALS 248 /* OtherRevVals */
#define KORVU_TYPE_REVOCATIONVALUES 249 /* RevocationValues */
#define KORVU_TYPE_SEQUENCE_OF_OCTET_STRING 250 /* SEQUENCE OF OCTET STRING */
#define KORVU_TYPE_ATSHASHINDEX 251 /* ATSHashIndex */
#define KORVU_TYPE_OBJECTDIGESTINFO 252 /* ObjectDigestInfo */
#define KORVU_TYPE_ATTCERT_ISSUERSERIAL 253 /* IssuerSerial */
#define KORVU_TYPE_HOLDER 254 /* Holder */
#define KORVU_TYPE_V2FORM 255 /* V2Form */
#define KORVU_TYPE_ATTCERTISSUER 256 /* AttCertIssuer */
#define KORVU_TYPE_ATTCERTVALIDITYPERIOD 257 /* AttCertValidityPeriod */
#define KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE 258 /* SEQUENCE OF Attribute */
#define KORVU_TYPE_ATTRIBUTECERTIFICATEINFO 259 /* AttributeCertificateInfo */
#define KORVU_TYPE_ATTRIBUTECERTIFICATE 260 /* AttributeCertificate */
#define KORVU_TYPE_SIGNERATTRIBUTE_ITEM 261 /* SignerAttribute item */
#define KORVU_TYPE_SIGNERATTRIBUTE 262 /* SignerAttribute */
#define KORVU_TYPE_CONTENTREFERENCE 263 /* ContentReference */
#define KORVU_TYPE_CONTENTHINTS 264 /* ContentHints */
#define KORVU_TYPE_SEQUENCE_OF_ALGORITHMIDENTIFIER 265 /* SEQUENCE OF AlgorithmIdentifier (digestAlgorithms) */
#define KORVU_TYPE_CRYPTOINFOS 266 /* CryptoInfos */
#define KORVU_TYPE_ER_ATTRIBUTES 267 /* Attributes */
#define KORVU_TYPE_ENCRYPTIONINFO 268 /* EncryptionInfo */
#define KORVU_TYPE_PARTIALHASHTREE 269 /* PartialHashtree */
#define KORVU_TYPE_SEQUENCE_OF_PARTIALHASHTREE 270 /* SEQUENCE OF PartialHashtree */
#define KORVU_TYPE_ARCHIVETIMESTAMP 271 /* ArchiveTimeStamp */
#define KORVU_TYPE_EVIDENCERECORD 272 /* EvidenceRecord */
#define KORVU_TYPE_ARCHIVETIMESTAMPCHAIN 273 /* ArchiveTimeStampChain */
#define KORVU_TYPE_ARCHIVETIMESTAMPSEQUENCE 274 /* ArchiveTimeStampSequence */
#define KORVU_TYPE_POEVALUE 275 /* PoeValue */
#define KORVU_TYPE_LONGTERMVALIDATION 276 /* LongTermValidation */
#define KORVU_TYPE_TARGETCERT 277 /* TargetCert */
#define KORVU_TYPE_TARGET 278 /* Target */
#define KORVU_TYPE_TARGETS 279 /* Targets */
#define KORVU_TYPE_IETFATTRSYNTAX 280 /* IetfAttrSyntax */
#define KORVU_TYPE_IETFATTRSYNTAX_VALUE 281 /* IetfAttrSyntax value */
#define KORVU_TYPE_IETFATTRSYNTAX_VALUES 282 /* IetfAttrSyntax values */
#define KORVU_TYPE_SVCEAUTHINFO 283 /* SvceAuthInfo */
#define KORVU_TYPE_ROLESYNTAX 284 /* RoleSyntax */
#define KORVU_TYPE_SECURITYCATEGORY 285 /* SecurityCategory */
#define KORVU_TYPE_SECURITYCATEGORIES 286 /* SecurityCategories */
#define KORVU_TYPE_CLEARANCE 287 /* Clearance */
#define KORVU_TYPE_ACCLEARATTRS 288 /* ACClearAttrs */
#define KORVU_TYPE_SEQUENCE_OF_TARGETS 289 /* SEQUENCE OF Targets */
#define KORVU_TYPE_ATTRSPEC 290 /* AttrSpec */
#define KORVU_TYPE_AACONTROLS 291 /* AAControls */
#define KORVU_TYPE_ECC_CMS_SHAREDINFO 292 /* ECC-CMS-SharedInfo */
#define KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS 293 /* PreferredSignatureAlgorithms */
#define KORVU_TYPE_PDF_OTHERREVINFO 294 /* PDF OtherRevInfo */
#define KORVU_TYPE_PDF_OTHERREVINFOS 295 /* PDF OtherRevInfos */
#define KORVU_TYPE_PDF_CRLS 296 /* PDF CRLs */
#define KORVU_TYPE_PDF_OCSP_RESPONSES 297 /* PDF OCSP Responses */
#define KORVU_TYPE_REVOCATIONINFOARCHIVAL 298 /* RevocationInfoArchival */
#define KORVU_TYPE_IDENTIFICATION_ITEM 299 /* identification item */
#define KORVU_TYPE_IDENTIFICATION_ITEMS 300 /* identification items */
#define KORVU_TYPE_ECCENVELOPEDKEYPAIR 301 /* EccEnvelopedKeyPair */
#define KORVU_TYPE_ATSHASHINDEXV3 302 /* ATSHashIndexV3 */
#define KORVU_TYPE_OTHERATTRIBUTECERTIFICATE 303 /* OtherAttributeCertificate */
#define KORVU_TYPE_CERTIFIEDATTRIBUTESV2_ITEM 304 /* CertifiedAttributesV2 item */
#define KORVU_TYPE_CERTIFIEDATTRIBUTESV2 305 /* CertifiedAttributesV2 */
#define KORVU_TYPE_SIGNEDASSERTION 306 /* SignedAssertion */
#define KORVU_TYPE_SIGNEDASSERTIONS 307 /* SignedAssertions */
#define KORVU_TYPE_SIGNERATTRIBUTEV2 308 /* SignerAttributeV2 */
#define KORVU_TYPE_SPDOC_FORMAT 309 /* SPDocSpecification */
#define KORVU_TYPE_SIGNATUREPOLICYDOCUMENT 310 /* SignaturePolicyDocument */
#define KORVU_TYPE_SIGNATUREPOLICYSTORE 311 /* SignaturePolicyStore */
#define KORVU_TYPE_ATTRIBUTEVALUEASSERTION 312 /* AttributeValueAssertion */
#define KORVU_TYPE_REFERRAL 313 /* Referral */
#define KORVU_TYPE_PARTIALATTRIBUTE 314 /* PartialAttribute */
#define KORVU_TYPE_LDAP_ATTRIBUTE 315 /* Attribute */
#define KORVU_TYPE_LDAPRESULT 316 /* LDAPResult */
#define KORVU_TYPE_CONTROL 317 /* Control */
#define KORVU_TYPE_CONTROLS 318 /* Controls */
#define KORVU_TYPE_SASLCREDENTIALS 319 /* SaslCredentials */
#define KORVU_TYPE_AUTHENTICATIONCHOICE 320 /* AuthenticationChoice */
#define KORVU_TYPE_BINDREQUEST 321 /* BindRequest */
#define KORVU_TYPE_BINDRESPONSE 322 /* BindResponse */
#define KORVU_TYPE_UNBINDREQUEST 323 /* UnbindRequest */
#define KORVU_TYPE_SUBSTRING 324 /* substring */
#define KORVU_TYPE_SUBSTRINGS 325 /* substrings */
#define KORVU_TYPE_SUBSTRINGFILTER 326 /* SubstringFilter */
#define KORVU_TYPE_MATCHINGRULEASSERTION 327 /* MatchingRuleAssertion */
#define KORVU_TYPE_FILTER 328 /* Filter */
#define KORVU_TYPE_FILTERS 329 /* Filters */
#define KORVU_TYPE_ATTRIBUTESELECTION 330 /* AttributeSelection */
#define KORVU_TYPE_SEARCHREQUEST 331 /* SearchRequest */
#define KORVU_TYPE_PARTIALATTRIBUTELIST 332 /* PartialAttributeList */
#define KORVU_TYPE_SEARCHRESULTENTRY 333 /* SearchResultEntry */
#define KORVU_TYPE_SEARCHRESULTREFERENCE 334 /* SearchResultReference */
#define KORVU_TYPE_SEARCHRESULTDONE 335 /* SearchResultDone */
#define KORVU_TYPE_CHANGE 336 /* change */
#define KORVU_TYPE_CHANGES 337 /* changes */
#define KORVU_TYPE_MODIFYREQUEST 338 /* ModifyRequest */
#define KORVU_TYPE_MODIFYRESPONSE 339 /* ModifyResponse */
#define KORVU_TYPE_ATTRIBUTELIST 340 /* AttributeList */
#define KORVU_TYPE_ADDREQUEST 341 /* AddRequest */
#define KORVU_TYPE_ADDRESPONSE 342 /* AddResponse */
#define KORVU_TYPE_DELREQUEST 343 /* DelRequest */
#define KORVU_TYPE_DELRESPONSE 344 /* DelResponse */
#define KORVU_TYPE_MODIFYDNREQUEST 345 /* ModifyDNRequest */
#define KORVU_TYPE_MODIFYDNRESPONSE 346 /* ModifyDNResponse */
#define KORVU_TYPE_COMPAREREQUEST 347 /* CompareRequest */
#define KORVU_TYPE_COMPARERESPONSE 348 /* CompareResponse */
#define KORVU_TYPE_ABANDONREQUEST 349 /* AbandonRequest */
#define KORVU_TYPE_EXTENDEDREQUEST 350 /* ExtendedRequest */
#define KORVU_TYPE_EXTENDEDRESPONSE 351 /* ExtendedResponse */
#define KORVU_TYPE_INTERMEDIATERESPONSE 352 /* IntermediateResponse */
#define KORVU_TYPE_LDAPMESSAGE 353 /* LDAPMessage */
#define KORVU_TYPE_SET_OF_OCTET_STRING 354 /* SET OF OCTET STRING */
#define KORVU_TYPE_SIGNEDANDENVELOPEDDATA 355 /* SignedAndEnvelopedData */
#define KORVU_TYPE_SCVPISSUERSERIAL 356 /* SCVPIssuerSerial */
#define KORVU_TYPE_SCVPCERTID 357 /* SCVPCertID */
#define KORVU_TYPE_PKCREFERENCE 358 /* PKCReference */
#define KORVU_TYPE_ACREFERENCE 359 /* ACReference */
#define KORVU_TYPE_CERTREFERENCE 360 /* CertReference */
#define KORVU_TYPE_SEQUENCE_OF_PKCREFERENCE 361 /* SEQUENCE OF PKCReference */
#define KORVU_TYPE_SEQUENCE_OF_ACREFERENCE 362 /* SEQUENCE OF ACReference */
#define KORVU_TYPE_CERTREFERENCES 363 /* CertReferences */
#define KORVU_TYPE_CERTCHECKS 364 /* CertChecks */
#define KORVU_TYPE_WANTBACK 365 /* WantBack */
#define KORVU_TYPE_VALIDATIONPOLREF 366 /* ValidationPolRef */
#define KORVU_TYPE_VALIDATIONALG 367 /* ValidationAlg */
#define KORVU_TYPE_NAMEVALIDATIONALGPARMS 368 /* NameValidationAlgParms */
#define KORVU_TYPE_RESPONSEFLAGS 369 /* ResponseFlags */
#define KORVU_TYPE_OTHERREVINFO 370 /* OtherRevInfo */
#define KORVU_TYPE_REVOCATIONINFO 371 /* RevocationInfo */
#define KORVU_TYPE_REVOCATIONINFOS 372 /* RevocationInfos */
#define KORVU_TYPE_USERPOLICYSET 373 /* UserPolicySet */
#define KORVU_TYPE_TRUSTANCHORS 374 /* TrustAnchors */
#define KORVU_TYPE_KEYUSAGES 375 /* KeyUsages */
#define KORVU_TYPE_EXTENDEDKEYUSAGES 376 /* ExtendedKeyUsages */
#define KORVU_TYPE_VALIDATIONPOLICY 377 /* ValidationPolicy */
#define KORVU_TYPE_CERTBUNDLE 378 /* CertBundle */
#define KORVU_TYPE_QUERY 379 /* Query */
#define KORVU_TYPE_CVREQUEST 380 /* CVRequest */
#define KORVU_TYPE_RESPONSESTATUS 381 /* ResponseStatus */
#define KORVU_TYPE_HASHVALUE 382 /* HashValue */
#define KORVU_TYPE_REQUESTREFERENCE 383 /* RequestReference */
#define KORVU_TYPE_REPLYCHECK 384 /* ReplyCheck */
#define KORVU_TYPE_REPLYCHECKS 385 /* ReplyChecks */
#define KORVU_TYPE_REPLYWANTBACK 386 /* ReplyWantBack */
#define KORVU_TYPE_REPLYWANTBACKS 387 /* ReplyWantBacks */
#define KORVU_TYPE_CERTBUNDLES 388 /* CertBundles */
#define KORVU_TYPE_SCVPRESPONSES 389 /* SCVPResponses */
#define KORVU_TYPE_VALIDATIONERRORS 390 /* ValidationErrors */
#define KORVU_TYPE_CERTREPLY 391 /* CertReply */
#define KORVU_TYPE_REPLYOBJECTS 392 /* ReplyObjects */
#define KORVU_TYPE_CVRESPONSE 393 /* CVResponse */
#define KORVU_TYPE_VALPOLREQUEST 394 /* ValPolRequest */
#define KORVU_TYPE_SCVP_SEQUENCE_OF_OBJECT_IDENTIFIER 395 /* SEQUENCE OF OBJECT IDENTIFIER */
#define KORVU_TYPE_SEQUENCE_SIZE_OF_OBJECT_IDENTIFIER 396 /* SEQUENCE SIZE (1..MAX) OF OBJECT IDENTIFIER */
#define KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER 397 /* SEQUENCE OF AlgorithmIdentifier (1..MAX) */
#define KORVU_TYPE_KEYAGREEPUBLICKEY 398 /* KeyAgreePublicKey */
#define KORVU_TYPE_KEYAGREEPUBLICKEYS 399 /* KeyAgreePublicKeys */
#define KORVU_TYPE_VALPOLRESPONSE 400 /* ValPolResponse */
#define KORVU_TYPE_CMSALGORITHMPROTECTION 401 /* CMSAlgorithmProtection */
#define KORVU_TYPE_EXTDATA 402 /* ExtData */
#define KORVU_TYPE_EXTDATAS 403 /* ExtDatas */
#define KORVU_TYPE_SES_HEADER 404 /* SES_Header */
#define KORVU_TYPE_SES_ESPROPERTYINFO 405 /* SES_ESPropertyInfo */
#define KORVU_TYPE_SES_ESPICTUREINFO 406 /* SES_ESPictureInfo */
#define KORVU_TYPE_SES_SEALINFO 407 /* SES_SealInfo */
#define KORVU_TYPE_SES_SIGNINFO 408 /* SES_SignInfo */
#define KORVU_TYPE_SESEALTBS 409 /* SeSealTbs */
#define KORVU_TYPE_SESEAL 410 /* SeSeal */
#define KORVU_TYPE_TBS_SIGN 411 /* TBS_Sign */
#define KORVU_TYPE_SES_SIGNATURE 412 /* SES_Signature */
#define KORVU_TYPE_CERTDIGESTOBJ 413 /* CertDigestObj */
#define KORVU_TYPE_CERTDIGESTLIST 414 /* CertDigestList */
#define KORVU_TYPE_SES_ESPROPERTYINFO_GB 415 /* SES_ESPropertyInfo */
#define KORVU_TYPE_SES_SEALINFO_GB 416 /* SES_SealInfo */
#define KORVU_TYPE_SES_SEAL 417 /* SES_Seal */
#define KORVU_TYPE_TBS_SIGN_GB 418 /* TBS_Sign */
#define KORVU_TYPE_SES_SIGNATURE_GB 419 /* SES_Signature */
#define KORVU_TYPE_REVINFOWANTBACK 420 /* RevInfoWantBack */
#define KORVU_TYPE_SM9_SIGNATURE 421 /* SM9 signature */
#define KORVU_TYPE_SM9_CIPHER 422 /* SM9 cipher */
#define KORVU_TYPE_SM9KEYPACKAGE 423 /* SM9KeyPackage */
#define KORVU_TYPE_GM_T_0091_PBKDF_PARAMS 424 /* GM/T 0091 PBKDF-params */
#define KORVU_TYPE_CKX_MACDATA 425 /* CKX MacData */
#define KORVU_TYPE_CKX 426 /* CKX */
#define KORVU_TYPE_SM9_DISTRICINFO 427 /* SM9 DistricInfo */
#define KORVU_TYPE_SM9_IDENTIFIER 428 /* SM9 Identifier */
#define KORVU_TYPE_IBCPUBLICPARAMETER 429 /* IBCPublicParameter */
#define KORVU_TYPE_IBCPUBLICPARAMETERS 430 /* IBCPublicParameters */
#define KORVU_TYPE_SM9PUBLICPARAMETERDATA 431 /* SM9PublicParameterData */
#define KORVU_TYPE_IBCPARAMEXTENSION 432 /* IBCParamExtension */
#define KORVU_TYPE_IBCPARAMEXTENSIONS 433 /* IBCParamExtensions */
#define KORVU_TYPE_IBC_SYS_PARAMS 434 /* IBC Sys Params */
#define KORVU_TYPE_SM9_REVOKEDID 435 /* SM9 RevokedId */
#define KORVU_TYPE_SM9_REVOKEDIDS 436 /* SM9 RevokedIds */
#define KORVU_TYPE_SM9_TBSIDLIST 437 /* SM9 TBSIdList */
#define KORVU_TYPE_IBCSYSPARAMSPUBLISHINFO 438 /* IBCSysParamsPublishinfo */
#define KORVU_TYPE_IBCSYSPARAMSPUBLISHINFOS 439 /* IBCSysParamsPublishinfos */
#define KORVU_TYPE_SM9_SIGNERINFO 440 /* SM9 SignerInfo */
#define KORVU_TYPE_SM9_SIGNERINFOS 441 /* SM9 SignerInfos */
#define KORVU_TYPE_SM9_BESIGNPARAMSPUBINFO 442 /* SM9 BeSignParamsPubInfo */
#define KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLIST 443 /* SM9 IdentifierRevocationList */
#define KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLISTS 444 /* SM9 IdentifierRevocationLists */
#define KORVU_TYPE_SM9_SIGNEDDATA 445 /* SM9 SignedData */
#define KORVU_TYPE_SM9_ENCRYPTEDCONTENTINFO 446 /* SM9 EncryptedContentInfo */
#define KORVU_TYPE_SM9_RECIPIENTINFO 447 /* SM9 RecipientInfo */
#define KORVU_TYPE_SM9_RECIPIENTINFOS 448 /* SM9 RecipientInfos */
#define KORVU_TYPE_SM9_ENVELOPEDDATA 449 /* SM9 EnvelopedData */

#define KORVU_TYPE_COUNT 450

#endif
