# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the program's texts, one JSON file per language (text/languages/),
# checks that every language has every text of the first, and nothing else,
# and writes them as one C++ header: each key with its text in every language,
# in the order the files are given, the keys in their sorted order.
#
#   cmake "-DLANGUAGES=ru.json;en.json" [-DOUTPUT=<header>] -P GenerateTextCatalogue.cmake
#
# Without OUTPUT it only checks. A missing or extra text, one that is not a
# string, or a file that is not JSON stops it with a message naming each.

cmake_minimum_required(VERSION 3.25)

if(NOT LANGUAGES)
  message(FATAL_ERROR "LANGUAGES names no file")
endif()

# `value` as the inside of a C++ string literal.
function(eh_cxx_literal value out)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  string(REPLACE "\n" "\\n" value "${value}")
  string(REPLACE "\t" "\\t" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(problems "")
set(documents "")
set(index 0)
foreach(file IN LISTS LANGUAGES)
  file(READ "${file}" document_${index})
  string(JSON kind ERROR_VARIABLE error TYPE "${document_${index}}" texts)
  if(error OR NOT kind STREQUAL "OBJECT")
    message(FATAL_ERROR "${file}: no \"texts\" object (${error})")
  endif()
  list(APPEND documents ${index})
  math(EXPR index "${index} + 1")
endforeach()
list(GET LANGUAGES 0 source_file)

# The keys of the first language, the one every other is checked against.
string(JSON key_count LENGTH "${document_0}" texts)
set(keys "")
if(key_count GREATER 0)
  math(EXPR last "${key_count} - 1")
  foreach(k RANGE ${last})
    string(JSON key MEMBER "${document_0}" texts ${k})
    list(APPEND keys "${key}")
  endforeach()
endif()

# In the order of their keys, so that a text is found by halving the table.
set(sorted_keys ${keys})
list(SORT sorted_keys)
set(entries "")
foreach(key IN LISTS sorted_keys)
  set(texts "")
  foreach(d IN LISTS documents)
    list(GET LANGUAGES ${d} file)
    string(JSON kind ERROR_VARIABLE error TYPE "${document_${d}}" texts "${key}")
    if(error)
      string(APPEND problems "${file}: missing \"${key}\"\n")
      continue()
    elseif(NOT kind STREQUAL "STRING")
      string(APPEND problems "${file}: \"${key}\" is not a string\n")
      continue()
    endif()
    string(JSON text GET "${document_${d}}" texts "${key}")
    eh_cxx_literal("${text}" literal)
    if(texts)
      string(APPEND texts ", ")
    endif()
    string(APPEND texts "\"${literal}\"")
  endforeach()
  string(APPEND entries "    {\"${key}\", {${texts}}},\n")
endforeach()

# Texts a language has that the first does not: a misspelt key would
# otherwise be dropped without a word.
foreach(d IN LISTS documents)
  list(GET LANGUAGES ${d} file)
  string(JSON count LENGTH "${document_${d}}" texts)
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(k RANGE ${last})
      string(JSON key MEMBER "${document_${d}}" texts ${k})
      if(NOT key IN_LIST keys)
        string(APPEND problems "${file}: \"${key}\" is not in ${source_file}\n")
      endif()
    endforeach()
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "The languages' texts do not match:\n${problems}")
endif()

if(OUTPUT)
  list(LENGTH LANGUAGES language_count)
  file(WRITE "${OUTPUT}.new" "// Made from text/languages/*.json when building: edit those, not this.
#pragma once

#include <array>
#include <cstddef>

namespace eh {

inline constexpr std::size_t kCatalogueLanguageCount = ${language_count};

struct TCatalogueEntry {
    const char* key;
    std::array<const char*, kCatalogueLanguageCount> texts; // in TLanguage order
};

inline constexpr std::array<TCatalogueEntry, ${key_count}> kTextCatalogue = {{
${entries}}};

} // namespace eh
")
  # An unchanged header keeps its time, so that nothing is rebuilt for it.
  file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUTPUT}.new")
endif()
