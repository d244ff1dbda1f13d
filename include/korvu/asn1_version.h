/** @file
 * KORVU ASN.1: the version of this package, as macros.
 *
 * MAJOR.MINOR is the version of the shared libraries (libkorvu_asn1.so.MAJOR.MINOR, SONAME
 * libkorvu_asn1.so.MAJOR: the major version changes only with incompatible interfaces), of the
 * CMake package and of the pkg-config files; PATCH counts fixes within a minor version. The
 * build refuses to configure when these and the project's version disagree. korvu_asn1_version()
 * returns the library's fixed identification text, which does not follow these numbers. */
#ifndef KORVU_ASN1_VERSION_H
#define KORVU_ASN1_VERSION_H

/** Major version: changes only with incompatible interfaces. */
#define KORVU_ASN1_VERSION_MAJOR 1
/** Minor version. */
#define KORVU_ASN1_VERSION_MINOR 10
/** Fixes within a minor version. */
#define KORVU_ASN1_VERSION_PATCH 0
/** "1.10.0" */
#define KORVU_ASN1_VERSION_STRING "1.10.0"
/** MAJOR * 10000 + MINOR * 100 + PATCH, for comparisons in the preprocessor. */
#define KORVU_ASN1_VERSION_NUMBER 11000

#endif /* KORVU_ASN1_VERSION_H */
