#include "detect.h"

#include <cstring>

#include "korvu/asn1.h"

namespace korvu::tool {

namespace {

struct Label {
  const char *label;
  uint32_t type;
};

constexpr Label kPemLabels[] = {
    {"CERTIFICATE", KORVU_TYPE_CERTIFICATE},
    {"X509 CERTIFICATE", KORVU_TYPE_CERTIFICATE},
    {"X509 CRL", KORVU_TYPE_CERTIFICATELIST},
    {"CERTIFICATE REQUEST", KORVU_TYPE_CERTIFICATIONREQUEST},
    {"NEW CERTIFICATE REQUEST", KORVU_TYPE_CERTIFICATIONREQUEST},
    {"ATTRIBUTE CERTIFICATE", KORVU_TYPE_ATTRIBUTECERTIFICATE},
    {"PKCS7", KORVU_TYPE_CONTENTINFO},
    {"CMS", KORVU_TYPE_CONTENTINFO},
    {"PRIVATE KEY", KORVU_TYPE_PRIVATEKEYINFO},
    {"ENCRYPTED PRIVATE KEY", KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO},
    {"RSA PRIVATE KEY", KORVU_TYPE_RSAPRIVATEKEY},
    {"EC PRIVATE KEY", KORVU_TYPE_ECPRIVATEKEY},
    {"RSA PUBLIC KEY", KORVU_TYPE_RSAPUBLICKEY},
    {"PUBLIC KEY", KORVU_TYPE_SUBJECTPUBLICKEYINFO},
    {"EC PARAMETERS", KORVU_TYPE_ECPKPARAMETERS},
    {"DH PARAMETERS", KORVU_TYPE_DHPARAMETER},
};

}  // namespace

const std::vector<uint32_t> &top_level_types() {
  static const std::vector<uint32_t> kTypes = {
      KORVU_TYPE_CERTIFICATE,
      KORVU_TYPE_CERTIFICATELIST,
      KORVU_TYPE_CERTIFICATIONREQUEST,
      KORVU_TYPE_ATTRIBUTECERTIFICATE,
      KORVU_TYPE_CONTENTINFO,
      KORVU_TYPE_OCSPREQUEST,
      KORVU_TYPE_OCSPRESPONSE,
      KORVU_TYPE_BASICOCSPRESPONSE,
      KORVU_TYPE_TIMESTAMPREQ,
      KORVU_TYPE_TIMESTAMPRESP,
      KORVU_TYPE_TSTINFO,
      KORVU_TYPE_PRIVATEKEYINFO,
      KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO,
      KORVU_TYPE_RSAPRIVATEKEY,
      KORVU_TYPE_ECPRIVATEKEY,
      KORVU_TYPE_PFX,
      KORVU_TYPE_SUBJECTPUBLICKEYINFO,
      KORVU_TYPE_LDAPMESSAGE,
      KORVU_TYPE_CVREQUEST,
      KORVU_TYPE_CVRESPONSE,
      KORVU_TYPE_EVIDENCERECORD,
      KORVU_TYPE_SESEAL,
      KORVU_TYPE_SES_SEAL,
      KORVU_TYPE_SES_SIGNATURE,
      KORVU_TYPE_SES_SIGNATURE_GB,
      KORVU_TYPE_CERTSTORE,
  };
  return kTypes;
}

uint32_t pem_label_type(const std::string &label) {
  for (const Label &l : kPemLabels) {
    if (label == l.label) return l.type;
  }
  return KORVU_TYPE_COUNT;
}

std::vector<uint32_t> detect_types(const unsigned char *data, size_t size, const std::string &pem_label) {
  std::vector<uint32_t> found;
  if (data == nullptr || size == 0 || size > 0x7FFFFFFFu) return found;
  auto decodes_whole = [&](uint32_t type) {
    if (korvu_asn1_hascodec(type) != 1) return false;
    void *value = nullptr;
    const uint32_t used = korvu_asn1_mem_decode(data, static_cast<int32_t>(size), type, &value);
    korvu_asn1_value_free(type, value);
    return used == size;
  };
  const uint32_t labelled = pem_label_type(pem_label);
  if (labelled < KORVU_TYPE_COUNT && decodes_whole(labelled)) found.push_back(labelled);
  for (uint32_t type : top_level_types()) {
    if (type != labelled && decodes_whole(type)) found.push_back(type);
  }
  return found;
}

std::vector<LoadedInput> pem_blocks(const unsigned char *data, size_t size) {
  std::vector<LoadedInput> blocks;
  const std::string text(reinterpret_cast<const char *>(data), size);
  if (text.find('\0') != std::string::npos) return blocks;  // binary
  size_t pos = 0;
  while ((pos = text.find("-----BEGIN ", pos)) != std::string::npos) {
    LoadedInput block;
    std::string error;
    if (!load_input(data + pos, size - pos, block, error) || block.format != InputFormat::Pem) {
      pos += 11;
      continue;
    }
    const size_t end = text.find("-----END " + block.label + "-----", pos);
    pos = end == std::string::npos ? size : end + 14 + block.label.size();
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace korvu::tool
