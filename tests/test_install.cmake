# Installs the build into a temporary prefix, then builds the C example of
# README.md as an outside project twice, through find_package(korvu_asn1
# CONFIG) and through pkg-config, and runs both programs.
#   cmake -DKORVU_BUILD_DIR=... -DKORVU_SOURCE_DIR=... -DKORVU_C_COMPILER=...
#         -DKORVU_GENERATOR=... [-DKORVU_EXTRA_FLAGS=...] -P test_install.cmake
cmake_minimum_required(VERSION 3.22)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(LAST_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

string(RANDOM LENGTH 8 tag)
set(work "${KORVU_BUILD_DIR}/install-test-${tag}")
set(prefix "${work}/prefix")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/cmake-consumer")

run(${CMAKE_COMMAND} --install "${KORVU_BUILD_DIR}" --prefix "${prefix}")

# What the prefix holds.
file(GLOB_RECURSE libs RELATIVE "${prefix}" "${prefix}/lib*/libkorvu_*.so*")
foreach(expected libkorvu_asn1.so libkorvu_asn1.so.1 libkorvu_asn1.so.1.10 libkorvu_util.so libkorvu_util.so.1
                 libkorvu_util.so.1.10)
  if(NOT libs MATCHES "(^|;|/)${expected}(;|$)")
    message(FATAL_ERROR "${expected} is not installed (found: ${libs})")
  endif()
endforeach()
foreach(f include/korvu/asn1.h include/korvu/util.h include/korvu/asn1_types.h include/korvu/holder.hpp
          bin/korvu-asn1 share/man/man1/korvu-asn1.1)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "${f} is not installed")
  endif()
endforeach()
file(GLOB config "${prefix}/lib*/cmake/korvu_asn1/korvu_asn1Config.cmake")
file(GLOB pcdir "${prefix}/lib*/pkgconfig")
if(NOT config OR NOT pcdir)
  message(FATAL_ERROR "the CMake package or the pkg-config files are missing")
endif()
file(GLOB soname_lib "${prefix}/lib*/libkorvu_asn1.so.1.10")
run(objdump -p "${soname_lib}")
if(NOT LAST_OUTPUT MATCHES "SONAME +libkorvu_asn1\\.so\\.1\n")
  message(FATAL_ERROR "libkorvu_asn1 lacks the SONAME libkorvu_asn1.so.1:\n${LAST_OUTPUT}")
endif()

# The installed program runs from the prefix.
run("${prefix}/bin/korvu-asn1" decode "${KORVU_SOURCE_DIR}/samples/sample-cert.der")
if(NOT LAST_OUTPUT MATCHES "detected: 39 \\(Certificate\\)")
  message(FATAL_ERROR "the installed program does not detect the sample certificate:\n${LAST_OUTPUT}")
endif()

# The README's C example, as written there.
file(READ "${KORVU_SOURCE_DIR}/README.md" readme)
string(FIND "${readme}" "```c\n" begin)
if(begin LESS 0)
  message(FATAL_ERROR "README.md has no C example")
endif()
math(EXPR begin "${begin} + 5")
string(SUBSTRING "${readme}" ${begin} -1 rest)
string(FIND "${rest}" "```" end)
string(SUBSTRING "${rest}" 0 ${end} example)
file(WRITE "${work}/example.c" "${example}")

# 1. CMake package.
file(WRITE "${work}/cmake-consumer/CMakeLists.txt" "cmake_minimum_required(VERSION 3.22)
project(korvu_consumer C)
find_package(korvu_asn1 1.10 CONFIG REQUIRED)
add_executable(example ${work}/example.c)
target_link_libraries(example PRIVATE korvu::asn1)
")
set(flags "")
if(KORVU_EXTRA_FLAGS)
  set(flags "-DCMAKE_C_FLAGS=${KORVU_EXTRA_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${KORVU_EXTRA_FLAGS}")
endif()
run(${CMAKE_COMMAND} -S "${work}/cmake-consumer" -B "${work}/cmake-consumer/build" -G "${KORVU_GENERATOR}"
    -DCMAKE_C_COMPILER=${KORVU_C_COMPILER} "-DCMAKE_PREFIX_PATH=${prefix}" ${flags})
run(${CMAKE_COMMAND} --build "${work}/cmake-consumer/build")
run("${work}/cmake-consumer/build/example")
if(NOT LAST_OUTPUT MATCHES "8 octets, 2 elements, first = 5")
  message(FATAL_ERROR "the example built through find_package printed:\n${LAST_OUTPUT}")
endif()

# 2. pkg-config.
set(ENV{PKG_CONFIG_PATH} "${pcdir}")
run(pkg-config --cflags --libs korvu_asn1)
string(STRIP "${LAST_OUTPUT}" pkg_flags)
separate_arguments(pkg_flags UNIX_COMMAND "${pkg_flags}")
if(NOT "${pkg_flags}" MATCHES "-lkorvu_asn1" OR NOT "${pkg_flags}" MATCHES "-lkorvu_util")
  message(FATAL_ERROR "pkg-config gives ${pkg_flags}")
endif()
run(pkg-config --variable=libdir korvu_asn1)
string(STRIP "${LAST_OUTPUT}" libdir)
separate_arguments(extra UNIX_COMMAND "${KORVU_EXTRA_FLAGS}")
run(${KORVU_C_COMPILER} ${extra} "${work}/example.c" -o "${work}/example-pkg" ${pkg_flags} "-Wl,-rpath,${libdir}")
run("${work}/example-pkg")
if(NOT LAST_OUTPUT MATCHES "8 octets, 2 elements, first = 5")
  message(FATAL_ERROR "the example built through pkg-config printed:\n${LAST_OUTPUT}")
endif()

file(REMOVE_RECURSE "${work}")
message(STATUS "install test passed")
