// Exceptions of the runtime. Every message is French, in Windows-1252, from the string table.
#pragma once

#include <stdexcept>
#include <string>

namespace report {

// Base of every error the engine and the runtime raise; what() is Windows-1252 text.
class EngineError : public std::runtime_error {
  public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

// "Impossible d'ouvrir le fichier %s", with the full path.
class FileOpenError : public EngineError {
  public:
    explicit FileOpenError(const std::string& path);
};

// "Impossible de créer le fichier %s", with the full path.
class FileCreateError : public EngineError {
  public:
    explicit FileCreateError(const std::string& path);
};

// "Erreur de lecture du flux": a stream ended before the bytes a reader needed.
class StreamReadError : public EngineError {
  public:
    StreamReadError();
};

// "Indice de liste hors limites (%d)".
class ListIndexError : public EngineError {
  public:
    explicit ListIndexError(long long index);
};

// Text that does not read as the number, date or time asked for.
class ConvertError : public EngineError {
  public:
    explicit ConvertError(const std::string& message) : EngineError(message) {}
    // "'%s' n'est pas une valeur entière correcte"
    static ConvertError NotInteger(const std::string& text);
    static ConvertError NotFloat(const std::string& text);  // "... en virgule flottante correcte"
    static ConvertError NotDate(const std::string& text);   // "'%s' n'est pas une date correcte"
    static ConvertError NotTime(const std::string& text);   // "'%s' n'est pas une heure correcte"
    static ConvertError NotDateTime(const std::string& text);  // "... une date et heure correcte"
};

// "Opération de variant incorrecte": an operation the variant table forbids.
class VariantOperationError : public EngineError {
  public:
    VariantOperationError();
};

// "Conversion de type variant incorrecte": a value that cannot take the kind asked for.
class VariantConversionError : public EngineError {
  public:
    VariantConversionError();
};

// "Opération en virgule flottante incorrecte": 0/0 as reals, overflow, invalid real operation.
class FloatingPointError : public EngineError {
  public:
    FloatingPointError();
};

}  // namespace report
