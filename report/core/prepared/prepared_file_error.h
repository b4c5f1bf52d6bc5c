// A prepared-report file, or the page data of a prepared page, that cannot be read as it stands.
#pragma once

#include <string>
#include <string_view>

#include "report/core/base/errors.h"

namespace report {

class PreparedFileError : public EngineError {
  public:
    using EngineError::EngineError;

    // "Ce fichier n'est pas un état préparé valide".
    static PreparedFileError BadFormat();
    // A page entry that ends past the end of the file; `pageNumber` counts from 1.
    static PreparedFileError Truncated(int pageNumber);
    static PreparedFileError BadPageCount(long long count);
    // Page data whose object records do not read back whole.
    static PreparedFileError DamagedPage(int pageNumber);
    static PreparedFileError UnknownClass(int pageNumber, std::string_view className);
    // A compressed file while no enabled decompressor is installed.
    static PreparedFileError Compressed();
};

}  // namespace report
