#include "net/errors.h"

#include "net/socket_error_codes.h"

namespace net {

ConnClosedGracefully::ConnClosedGracefully()
    : SilentNetError(
          "La connexion s'est termin\xE9"
          "e proprement.") {}

SocketError::SocketError(int code)
    : NetError("Erreur de socket # " + std::to_string(code) + "\r\n" + SocketErrorText(code)),
      code_(code) {}

AlreadyConnected::AlreadyConnected() : NetError("D\xE9j\xE0 connect\xE9.") {}

InvalidSocket::InvalidSocket() : NetError("Impossible d'allouer le socket.") {}

CouldNotBindSocket::CouldNotBindSocket()
    : SocketHandleError(
          "Impossible d'\xE9tablir une liaison avec le socket. L'adresse et le port sont "
          "d\xE9j\xE0 "
          "utilis\xE9s.") {}

CannotLoadSocketLibrary::CannotLoadSocketLibrary(const std::string& library)
    : NetError(library + " n'a pas pu \xEAtre charg\xE9.") {}

StackInitializationFailed::StackInitializationFailed()
    : StackError("Erreur d'initialisation Winsock.") {}

StackSetSizeExceeded::StackSetSizeExceeded()
    : StackError(
          "Taille d'ensemble d\xE9pass\xE9"
          "e.") {}

NotEnoughDataInBuffer::NotEnoughDataInBuffer()
    : TcpConnectionError(
          "Pas suffisamment de donn\xE9"
          "es en m\xE9moire tampon.") {}

ReadTimedOut::ReadTimedOut() : TcpConnectionError("D\xE9lai de lecture d\xE9pass\xE9.") {}

LineTooLong::LineTooLong(std::size_t limit)
    : TcpConnectionError("Ligne re\xE7ue trop longue : plus de " + std::to_string(limit) +
                         " octets sans fin de ligne.") {}

SocksNotSupported::SocksNotSupported() : NetError("Version de SOCKS non prise en charge.") {}

ProtocolReplyError::ProtocolReplyError(int code, const std::string& statusText)
    : NetError(statusText), code_(code) {}

BadReplyError BadReplyError::TooManyHeaderLines(std::size_t limit) {
    return BadReplyError("R\xE9ponse incorrecte du serveur : plus de " + std::to_string(limit) +
                         " lignes d'en-t\xEAte.");
}

BadReplyError BadReplyError::TooManyHeaderBytes(std::size_t limit) {
    return BadReplyError("R\xE9ponse incorrecte du serveur : plus de " + std::to_string(limit) +
                         " octets d'en-t\xEAte.");
}

BadReplyError BadReplyError::BodyTooLarge(std::uint64_t limit) {
    return BadReplyError("R\xE9ponse incorrecte du serveur : corps de plus de " +
                         std::to_string(limit) + " octets.");
}

BadReplyError BadReplyError::NegativeContentLength(const std::string& value) {
    return BadReplyError("R\xE9ponse incorrecte du serveur : longueur de contenu n\xE9gative (" +
                         value + ").");
}

BadReplyError BadReplyError::BadChunkSize(const std::string& line) {
    return BadReplyError("R\xE9ponse incorrecte du serveur : taille de bloc incorrecte (" + line +
                         ").");
}

InterceptPropInvalid::InterceptPropInvalid()
    : NetError("La valeur d'interception est incorrecte") {}

ObjectTypeNotSupported::ObjectTypeNotSupported() : NetError("Type d'objet non support\xE9.") {}

TimeZoneInfoError::TimeZoneInfoError()
    : NetError(
          "Echec lors de la tentative de r\xE9"
          "cup\xE9ration des informations de fuseau "
          "horaire.") {}

ConvertError ConvertError::NotInteger(const std::string& text) {
    return ConvertError("'" + text + "' n'est pas une valeur enti\xE8re correcte");
}

}  // namespace net
