#include "cmd_decode.h"

#include <cstdio>
#include <cstdlib>

#include "summary.h"
#include "summary_cms.h"
#include "summary_crl.h"
#include "summary_keys.h"
#include "summary_ocsp.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>

#include "detect.h"
#include "input.h"
#include "type_names.h"

namespace korvu::tool {

namespace {

// Re-encodes `value` and compares with the octets it was decoded from.
int check_round_trip(uint32_t type, const void *value, const unsigned char *original, uint32_t length, Io &io) {
  ErrCtxHolder ctx(korvu_err_ctx_new());
  if (!ctx) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  StreamHolder stream(korvu_stream_new_mem(1024, ctx.get()));
  if (!stream) {
    io.err << "korvu-asn1: cannot create a memory stream\n";
    print_errors(ctx.get(), io.err);
    return kExitSoftware;
  }
  uint32_t written = 0;
  int r = korvu_asn1_encode(stream.get(), type, value, &written, ctx.get());
  if (r != 1) {
    io.err << "korvu-asn1: re-encoding as type " << type_label(type) << " failed (result 0x" << std::hex
           << std::uppercase << r << std::dec << ")\n";
    print_errors(ctx.get(), io.err);
    io.out << "re-encoded: failed\n";
    return kExitRoundTripDiffers;
  }
  uint32_t encoded_length = 0;
  const unsigned char *encoded = korvu_memstream_data(stream.get(), &encoded_length);
  if (encoded == nullptr && encoded_length != 0) {
    io.err << "korvu-asn1: cannot read back the re-encoded octets\n";
    return kExitSoftware;
  }
  if (written != encoded_length) {
    io.err << "korvu-asn1: the encoder reported " << written << " octets but wrote " << encoded_length << "\n";
  }
  if (encoded_length == length && (length == 0 || std::equal(original, original + length, encoded))) {
    io.out << "re-encoded: identical (" << length << " octets)\n";
    return written == encoded_length ? kExitOk : kExitRoundTripDiffers;
  }
  uint32_t common = std::min(length, encoded_length);
  uint32_t at = 0;
  while (at < common && original[at] == encoded[at]) at++;
  io.out << "re-encoded: differs (decoded " << length << " octets, re-encoded " << encoded_length
         << ", first difference at offset " << at << ")\n";
  io.out << "  decoded:    " << hex_preview(original, length, 64) << "\n";
  io.out << "  re-encoded: " << hex_preview(encoded, encoded_length, 64) << "\n";
  return kExitRoundTripDiffers;
}

// The types with a summary and their printers.
struct Summariser {
  uint32_t type;
  int (*print)(uint32_t type, const void *value, std::FILE *out);
};
constexpr Summariser kSummarisers[] = {
    {KORVU_TYPE_CERTIFICATE, [](uint32_t, const void *v, std::FILE *f) { return print_certificate_summary(v, f); }},
    {KORVU_TYPE_ATTRIBUTECERTIFICATE,
     [](uint32_t, const void *v, std::FILE *f) { return print_attrcert_summary(v, f); }},
    {KORVU_TYPE_CERTIFICATELIST, [](uint32_t, const void *v, std::FILE *f) { return print_crl_summary(v, f); }},
    {KORVU_TYPE_CERTIFICATIONREQUEST,
     [](uint32_t, const void *v, std::FILE *f) { return print_request_summary(v, f); }},
    {KORVU_TYPE_CONTENTINFO, print_cms_summary},
    {KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, print_cms_summary},
    {KORVU_TYPE_SIGNEDDATA_CMS_FORM, print_cms_summary},
    {KORVU_TYPE_OCSPREQUEST, print_ocsp_summary},
    {KORVU_TYPE_OCSPRESPONSE, print_ocsp_summary},
    {KORVU_TYPE_TIMESTAMPRESP, print_ocsp_summary},
    {KORVU_TYPE_TSTINFO, print_ocsp_summary},
    {KORVU_TYPE_RSAPRIVATEKEY, print_keys_summary},
    {KORVU_TYPE_PRIVATEKEYINFO, print_keys_summary},
    {KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO, print_keys_summary},
    {KORVU_TYPE_ECPRIVATEKEY, print_keys_summary},
    {KORVU_TYPE_PFX, print_keys_summary},
    {KORVU_TYPE_CERTSTORE, print_keys_summary},
};

const Summariser *find_summariser(uint32_t type) {
  for (const Summariser &s : kSummarisers)
    if (s.type == type) return &s;
  return nullptr;
}

// The summary of a decoded value, written through a memory FILE into io.out.
bool print_summary(uint32_t type, const void *cert, Io &io) {
  char *text = nullptr;
  size_t length = 0;
  std::FILE *f = open_memstream(&text, &length);
  if (f == nullptr) return false;
  const Summariser *s = find_summariser(type);
  int ok = s != nullptr ? s->print(type, cert, f) : 0;
  std::fclose(f);
  if (ok == 1) io.out << std::string(text, length);
  std::free(text);
  if (ok != 1) io.err << "korvu-asn1: the summary could not be written\n";
  return ok == 1;
}

}  // namespace

bool has_summary(uint32_t type) { return find_summariser(type) != nullptr; }

// Detection: prints what each PEM block (or the input) is and sets `type` to
// the first type that decodes the input whole. False, with a message, when
// none does.
static bool detect(const std::vector<unsigned char> &raw, const LoadedInput &input, uint32_t &type, Io &io) {
  const std::vector<LoadedInput> blocks = pem_blocks(raw.data(), raw.size());
  if (blocks.size() > 1) {
    for (size_t i = 0; i < blocks.size(); i++) {
      const std::vector<uint32_t> types = detect_types(blocks[i].bytes.data(), blocks[i].bytes.size(), blocks[i].label);
      io.out << "block " << i + 1 << ": PEM (" << blocks[i].label << "), " << blocks[i].bytes.size()
             << " octets, detected: ";
      for (size_t k = 0; k < types.size(); k++) io.out << (k ? ", " : "") << type_label(types[k]);
      io.out << (types.empty() ? "nothing\n" : "\n");
    }
    io.out << "decoding block 1\n";
  }
  const std::vector<uint32_t> types = detect_types(input.bytes.data(), input.bytes.size(), input.label);
  io.out << "detected: ";
  for (size_t k = 0; k < types.size(); k++) io.out << (k ? ", " : "") << type_label(types[k]);
  io.out << (types.empty() ? "nothing\n" : "\n");
  if (types.empty()) {
    io.err << "korvu-asn1: no top-level type of this build decodes the whole input; give --type, or see "
              "korvu-asn1 dump\n";
    // A type that decodes a first part: the trailing octets and their offset.
    for (uint32_t t : top_level_types()) {
      if (korvu_asn1_hascodec(t) != 1 || input.bytes.empty() || input.bytes.size() > 0x7FFFFFFFu) continue;
      void *value = nullptr;
      const uint32_t used = korvu_asn1_mem_decode(input.bytes.data(), static_cast<int32_t>(input.bytes.size()), t, &value);
      korvu_asn1_value_free(t, value);
      if (used == 0xFFFFFFFFu || used == 0 || used >= input.bytes.size()) continue;
      io.err << "korvu-asn1: " << type_label(t) << " decodes the first " << used << " octets; "
             << input.bytes.size() - used << " trailing octets follow at offset " << used << "\n";
      break;
    }
    return false;
  }
  type = types[0];
  return true;
}

int run_decode(const DecodeOptions &options, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(options.file, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitNoInput;
  }
  LoadedInput input;
  const KeyPem key = load_key_pem(options.type, raw, input, error);
  if (key == KeyPem::Refused) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDecodeFailed;
  }
  if (key != KeyPem::Loaded && !load_labelled_pem(options.type, raw, input) && !load_input(raw, input, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDecodeFailed;
  }
  if (input.bytes.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDecodeFailed;
  }
  const uint32_t size = static_cast<uint32_t>(input.bytes.size());
  static const unsigned char kNothing[1] = {0};
  const unsigned char *data = size != 0 ? input.bytes.data() : kNothing;

  io.out << "input: " << format_name(input.format);
  if (input.format == InputFormat::Pem) io.out << " (" << input.label << ")";
  io.out << ", " << size << " octets\n";
  uint32_t type = options.type;
  if (options.detect && !detect(raw, input, type, io)) return kExitDecodeFailed;
  raw.clear();
  raw.shrink_to_fit();
  io.out << "type: " << type_label(type) << "\n";
  if (korvu_asn1_hascodec(type) != 1) {
    io.err << "korvu-asn1: type " << type_label(type) << " has no codec\n";
    return kExitDecodeFailed;
  }
  if (options.summary && !has_summary(type)) {
    io.err << "korvu-asn1: --summary does not know type " << type_label(type) << "\n";
    return kExitUsage;
  }

  ErrCtxHolder ctx(korvu_err_ctx_new());
  StreamHolder stream(korvu_stream_new_romem(data, size));
  if (!ctx || !stream) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  Value value(type);
  uint32_t consumed = 0;
  int r = korvu_asn1_decode(stream.get(), type, value.out(), &consumed, ctx.get());
  if (r != 1) {
    io.err << "korvu-asn1: decoding as type " << type_label(type) << " failed (result 0x" << std::hex
           << std::uppercase << r << std::dec << ")\n";
    print_errors(ctx.get(), io.err);
    if (value.get() != nullptr) {
      io.err << "korvu-asn1: the failed decoder handed out a value anyway\n";
      value.release();
    }
    return kExitDecodeFailed;
  }
  if (value.get() == nullptr && type != KORVU_TYPE_END_OF_CONTENTS) {
    // Only end-of-contents has no value to speak of.
    io.err << "korvu-asn1: the decoder reported success without a value\n";
  }
  if (consumed > size) {
    io.err << "korvu-asn1: the decoder claims " << consumed << " octets of a " << size << "-octet input\n";
    return kExitDecodeFailed;
  }
  io.out << "consumed: " << consumed << " octets\n";
  io.out << "trailing: " << (size - consumed) << " octets";
  if (consumed < size) io.out << " (" << hex_preview(data + consumed, size - consumed, 16) << ")";
  io.out << "\n";
  if (options.summary && !print_summary(type, value.get(), io)) return kExitSoftware;
  if (!options.check) return kExitOk;
  return check_round_trip(type, value.get(), data, consumed, io);
}

void add_decode_command(CLI::App &app, Io &io) {
  auto options = std::make_shared<DecodeOptions>();
  CLI::App *sub = app.add_subcommand("decode", "Decode a BER/DER, PEM or Base64 input as one type number");
  auto type_word = std::make_shared<std::string>();
  sub->add_option("-t,--type", *type_word,
                  "Type number (0-449) or name (Certificate, crl, p12 ...; see the types subcommand); without "
                  "it the type is detected");
  sub->add_option("file", options->file, "Input file, or - for standard input")->required();
  sub->add_flag("-c,--check", options->check, "Re-encode the value and compare with the decoded octets");
  sub->add_flag("-s,--summary", options->summary,
                "Also print a summary of a certificate (type 39: serial, issuer, subject, validity, extension "
                "count), an attribute certificate (type 260: version, holder, issuer, serial, validity, "
                "attribute types, extensions), a signed message (types 111, 133, 134: content type, version, "
                "digest algorithms, signers, certificate and CRL counts, content length or detached), a CRL "
                "(type 41: version, issuer, times, entry count, extensions), a certification request (type 46: "
                "subject, key algorithm, attributes, requested extensions), an OCSP response (175) or request (173), a time-stamp response (190) or a TSTInfo (192), a key (99, 103, 104, 202: "
                "version, algorithm or form, KDF and cipher of an encrypted one), a PKCS #12 file (113: MAC, "
                "content types, unencrypted bags) or a certificate store (97: subjects, key providers)");
  sub->callback([options, type_word, &io] {
    options->detect = type_word->empty();
    if (!options->detect) {
      const TypeLookup found = lookup_type(*type_word);
      if (!found.found) {
        io.err << "korvu-asn1: " << found.error << "\n";
        io.status = kExitUsage;
        return;
      }
      options->type = found.type;
    }
    if (options->summary && !options->detect && !has_summary(options->type)) {
      std::string types;
      for (const Summariser &s : kSummarisers) types += (types.empty() ? "" : ", ") + std::to_string(s.type);
      io.err << "korvu-asn1: --summary needs --type " << types << "\n";
      io.status = kExitUsage;
      return;
    }
    io.status = run_decode(*options, io);
  });
}

}  // namespace korvu::tool
