#include "cmd_decode.h"

#include <cstdio>
#include <cstdlib>

#include "summary.h"
#include "summary_cades.h"
#include "summary_cms.h"
#include "summary_crl.h"
#include "summary_ldap.h"
#include "summary_keys.h"
#include "summary_ocsp.h"
#include "summary_seal.h"
#include "summary_scvp.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>

#include "der_check.h"
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
    print_errors(ctx.get(), io.err, io.verbose);
    return kExitSoftware;
  }
  uint32_t written = 0;
  int r = korvu_asn1_encode(stream.get(), type, value, &written, ctx.get());
  if (r != 1) {
    io.err << "korvu-asn1: re-encoding as type " << type_label(type) << " failed (result 0x" << std::hex
           << std::uppercase << r << std::dec << ")\n";
    print_errors(ctx.get(), io.err, io.verbose);
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
    {KORVU_TYPE_SESEAL, print_seal_summary},
    {KORVU_TYPE_SES_SEAL, print_seal_summary},
    {KORVU_TYPE_SES_SIGNATURE, print_seal_summary},
    {KORVU_TYPE_SES_SIGNATURE_GB, print_seal_summary},
    {KORVU_TYPE_SPCINDIRECTDATACONTENT, print_seal_summary},
    {KORVU_TYPE_EVIDENCERECORD, print_evidencerecord_summary},
    {KORVU_TYPE_CVREQUEST, print_scvp_summary},
    {KORVU_TYPE_CVRESPONSE, print_scvp_summary},
    {KORVU_TYPE_VALPOLREQUEST, print_scvp_summary},
    {KORVU_TYPE_VALPOLRESPONSE, print_scvp_summary},
    {KORVU_TYPE_LDAPMESSAGE, print_ldap_summary},
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

// The DER verdict on the whole input: with `list`, every departure; else
// the count and the first. True for DER.
bool report_der(const unsigned char *data, uint32_t size, bool list, Io &io) {
  const DerReport report = der_check(data, size);
  if (report.is_der()) {
    io.out << "DER: yes\n";
    return true;
  }
  const size_t count = report.departures.size();
  const DerDeparture &first = report.departures.front();
  io.out << "DER: no, " << count << (count == 1 ? " departure" : " departures");
  if (!list) io.out << " (first at offset " << first.offset << ": " << first.what << "; see --der)";
  io.out << "\n";
  if (list) {
    for (const DerDeparture &d : report.departures) io.out << "  offset " << d.offset << ": " << d.what << "\n";
  }
  return false;
}

}  // namespace

bool has_summary(uint32_t type) { return find_summariser(type) != nullptr; }

// Detection: prints what each PEM block (or the input) is and sets `type` to
// the first type that decodes the input whole. False, with a message, when
// none does.
// "39 (Certificate), 41 (CertificateList)"; for none, "nothing", or what a
// PEM label names when this build has no codec for it.
static std::string detected_text(const std::vector<uint32_t> &types, const std::string &label) {
  std::string text;
  for (size_t k = 0; k < types.size(); k++) text += (k ? ", " : "") + type_label(types[k]);
  if (!types.empty()) return text;
  const uint32_t named = label.empty() ? KORVU_TYPE_COUNT : pem_label_type(label);
  if (named < KORVU_TYPE_COUNT && korvu_asn1_hascodec(named) != 1) return "no codec for " + type_label(named);
  return "nothing";
}

static bool detect(const std::vector<unsigned char> &raw, const LoadedInput &input, uint32_t &type, Io &io) {
  const std::vector<LoadedInput> blocks =
      raw.empty() ? std::vector<LoadedInput>{} : pem_blocks(raw.data(), raw.size());
  if (blocks.size() > 1) {
    for (size_t i = 0; i < blocks.size(); i++) {
      const std::vector<uint32_t> types = detect_types(blocks[i].bytes.data(), blocks[i].bytes.size(), blocks[i].label);
      io.out << "block " << i + 1 << ": PEM (" << blocks[i].label << "), " << blocks[i].bytes.size()
             << " octets, detected: " << detected_text(types, blocks[i].label) << "\n";
    }
    io.out << "decoding block 1 (--block N for another, --all for each)\n";
  }
  const std::vector<uint32_t> types = detect_types(input.bytes.data(), input.bytes.size(), input.label);
  io.out << "detected: " << detected_text(types, input.label) << "\n";
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

namespace {

// Decodes one input (the file, or one PEM block of it); `raw` is the whole
// file, for the listing of its blocks during detection (empty: no listing).
int decode_one(const DecodeOptions &options, const std::vector<unsigned char> &raw, const LoadedInput &input,
               Io &io);

}  // namespace

int run_decode(const DecodeOptions &options, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(options.file, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitNoInput;
  }
  if (options.block != 0 || options.all) {
    const std::vector<LoadedInput> blocks = pem_blocks(raw.data(), raw.size());
    if (blocks.empty()) {
      io.err << "korvu-asn1: " << (options.file == "-" ? "standard input" : options.file) << " holds no PEM block\n";
      return kExitDataErr;
    }
    if (options.block > blocks.size()) {
      io.err << "korvu-asn1: there is no block " << options.block << ": the input holds " << blocks.size()
             << (blocks.size() == 1 ? " PEM block\n" : " PEM blocks\n");
      return kExitDataErr;
    }
    if (!options.all) return decode_one(options, {}, blocks[options.block - 1], io);
    // Every block in turn; the status is the worst.
    int status = kExitOk;
    for (size_t i = 0; i < blocks.size(); i++) {
      io.out << (i ? "\n" : "") << "block " << i + 1 << ":\n";
      status = std::max(status, decode_one(options, {}, blocks[i], io));
    }
    return status;
  }
  LoadedInput input;
  // A key type takes the block whose label fits it (EC PARAMETERS before EC
  // PRIVATE KEY); legacy encrypted PEM is refused with its reason.
  const KeyPem key = load_key_pem(options.type, raw, input, error);
  if (key == KeyPem::Refused) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDataErr;
  }
  // With --type, the first PEM block whose label names the type (as openssl
  // x509 takes the first CERTIFICATE block); else the first block.
  bool chosen = key == KeyPem::Loaded || load_labelled_pem(options.type, raw, input);
  if (!chosen && !options.detect) {
    for (LoadedInput &block : pem_blocks(raw.data(), raw.size())) {
      if (pem_label_type(block.label) == options.type) {
        input = std::move(block);
        chosen = true;
        break;
      }
    }
  }
  if (!chosen && !load_input(raw, input, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDataErr;
  }
  return decode_one(options, raw, input, io);
}

namespace {

int decode_one(const DecodeOptions &options, const std::vector<unsigned char> &raw, const LoadedInput &input,
               Io &io) {
  if (input.bytes.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDataErr;
  }
  const uint32_t size = static_cast<uint32_t>(input.bytes.size());
  static const unsigned char kNothing[1] = {0};
  const unsigned char *data = size != 0 ? input.bytes.data() : kNothing;

  // Raw octets are called DER only when they are (see der_check.h).
  const bool raw_ber = input.format == InputFormat::Der && !der_check(data, size).is_der();
  io.out << "input: " << (raw_ber ? "BER" : format_name(input.format));
  if (input.format == InputFormat::Pem) io.out << " (" << input.label << ")";
  io.out << ", " << size << " octets\n";
  uint32_t type = options.type;
  if (options.detect && !detect(raw, input, type, io)) {
    // A label that names a type this build has no codec for says so.
    const uint32_t named = pem_label_type(input.label);
    if (input.format == InputFormat::Pem && named < KORVU_TYPE_COUNT && korvu_asn1_hascodec(named) != 1) {
      io.err << "korvu-asn1: no codec for " << type_label(named) << " (PEM label \"" << input.label
             << "\") in this build\n";
      return kExitUnavailable;
    }
    return kExitDataErr;
  }
  io.out << "type: " << type_label(type) << "\n";
  if (korvu_asn1_hascodec(type) != 1) {
    io.err << "korvu-asn1: type " << type_label(type) << " has no codec\n";
    return kExitUnavailable;
  }
  const bool summary = options.summary && has_summary(type);
  if (options.summary && !summary) io.err << "korvu-asn1: note: no summary for type " << type_label(type) << "\n";

  ErrCtxHolder ctx(korvu_err_ctx_new());
  if (!ctx) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  Value value(type);
  uint32_t consumed = 0;
  uint32_t at = 0;
  int r = korvu_asn1_decode_diag(data, size, type, value.out(), &consumed, &at, ctx.get());
  if (r != 1) {
    // What was decoded, where it stopped and why (the innermost entry), then
    // every entry of the context.
    io.err << "korvu-asn1: " << type_name_label(type) << " does not decode: at offset " << at;
    const std::string why = first_error(ctx.get());
    if (!why.empty()) io.err << ": " << why;
    if (at < size) io.err << " (" << hex_preview(data + at, size - at, 8) << ")";
    io.err << "\n";
    print_errors(ctx.get(), io.err, io.verbose);
    if (value.get() != nullptr) {
      io.err << "korvu-asn1: the failed decoder handed out a value anyway\n";
      value.release();
    }
    return kExitDataErr;
  }
  if (value.get() == nullptr && type != KORVU_TYPE_END_OF_CONTENTS) {
    // Only end-of-contents has no value to speak of.
    io.err << "korvu-asn1: the decoder reported success without a value\n";
  }
  if (consumed > size) {
    io.err << "korvu-asn1: the decoder claims " << consumed << " octets of a " << size << "-octet input\n";
    return kExitDataErr;
  }
  io.out << "consumed: " << consumed << " octets\n";
  io.out << "trailing: " << (size - consumed) << " octets";
  if (consumed < size) io.out << " (" << hex_preview(data + consumed, size - consumed, 16) << ")";
  io.out << "\n";
  if (summary && !print_summary(type, value.get(), io)) return kExitSoftware;
  int status = kExitOk;
  if (options.check) status = check_round_trip(type, value.get(), data, consumed, io);
  if ((options.check || options.der) && !report_der(data, size, options.der, io) && status == kExitOk)
    status = kExitRoundTripDiffers;
  return status;
}

}  // namespace

int run_decode_each(const DecodeOptions &options, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(options.file, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitNoInput;
  }
  if (raw.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDataErr;
  }
  const uint32_t size = static_cast<uint32_t>(raw.size());
  bool failed = false;
  for (uint32_t at = 0; size - at >= 2;) {
    // The header first: without one there is nothing more to read.
    StreamHolder head(korvu_stream_new_romem(raw.data() + at, size - at));
    uint32_t cls = 0, prim = 0, tag = 0, id_len = 0, len = 0, len_len = 0;
    if (!head || korvu_asn1_decode_identifier(head.get(), &cls, &prim, &tag, &id_len, nullptr) != 1 ||
        korvu_asn1_decode_length(head.get(), &len, &len_len, nullptr) != 1)
      break;
    ErrCtxHolder ctx(korvu_err_ctx_new());
    StreamHolder stream(korvu_stream_new_romem(raw.data() + at, size - at));
    if (!ctx || !stream) return kExitSoftware;
    Value value(options.type);
    uint32_t used = 0;
    if (korvu_asn1_decode(stream.get(), options.type, value.out(), &used, ctx.get()) == 1 && used > 0) {
      io.out << "offset " << at << ": " << used << " octets: ok\n";
      if (options.summary && !print_summary(options.type, value.get(), io)) return kExitSoftware;
      at += used;
      continue;
    }
    failed = true;
    io.out << "offset " << at << ": failed:" << std::hex << std::uppercase;
    for (uint32_t i = 0, code = 0; i < korvu_err_ctx_count(ctx.get()); i++)
      if (korvu_err_ctx_get(ctx.get(), i, &code, nullptr, nullptr, nullptr) == 1) io.out << " 0x" << code;
    io.out << std::dec << "\n";
    const uint64_t skip = uint64_t{id_len} + len_len + len;
    if (len == 0xFFFFFFFFu || skip > size - at) break;
    at += static_cast<uint32_t>(skip);
  }
  return failed ? kExitDataErr : kExitOk;
}

void add_decode_command(CLI::App &app, Io &io) {
  auto options = std::make_shared<DecodeOptions>();
  CLI::App *sub = app.add_subcommand("decode", "Decode a BER/DER, PEM or Base64 input as one type number");
  auto type_word = std::make_shared<std::string>();
  sub->add_option("-t,--type", *type_word,
                  "Type number (0-449) or name (Certificate, crl, p12 ...; see the types subcommand); without "
                  "it the type is detected");
  sub->add_option("file", options->file, "Input file, or - for standard input")->required();
  add_verbose_flag(sub, io);
  sub->add_flag("-c,--check", options->check,
                "Re-encode the value and compare with the decoded octets, and tell whether the input is DER");
  sub->add_option("--block", options->block, "Decode the Nth PEM block of the input (from 1)")
      ->check(CLI::Range(1u, 1000000u));
  sub->add_flag("--all", options->all, "Decode every PEM block of the input in turn");
  sub->add_flag("--der", options->der,
                "List every departure of the input from DER (indefinite or long lengths, redundant INTEGER "
                "octets, constructed strings, unsorted SET OF, BOOLEAN not FF, unused bits, time forms, "
                "trailing octets); exit status 0 only for DER");
  sub->add_flag("-e,--each", options->each,
                "Decode a series of values of --type, one after another (LDAP traffic): per value its offset, "
                "length and result; non-zero when any failed");
  sub->add_flag("-s,--summary", options->summary,
                "Also print the main fields of a certificate (39), attribute certificate (260), signed or "
                "enveloped message (111, 133, 134), CRL (41), certification request (46), OCSP response (175) "
                "or request (173), time-stamp response (190) or TSTInfo (192), evidence record (272), SCVP "
                "message (380, 393, 394, 400), LDAP message (353), key (99, 103, 104, 202), PKCS #12 file (113), "
                "certificate store (97), seal (410, 417), seal signature (412, 419) or Authenticode "
                "SpcIndirectDataContent (208); any other type prints the decode and a note");
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
    if (options->each && options->detect) {
      io.err << "korvu-asn1: --each needs --type\n";
      io.status = kExitUsage;
      return;
    }
    io.status = options->each ? run_decode_each(*options, io) : run_decode(*options, io);
  });
}

}  // namespace korvu::tool
