#include "net/socket_error_codes.h"

#include <netdb.h>

#include <cerrno>
#include <utility>

namespace net {
namespace {

struct CodeText {
    int code;
    const char* text;
};

// Texts of the Windows Sockets numbers, Windows-1252. 11001 to 11004 are the name lookup
// failures, given texts of their own.
constexpr CodeText kCodeTexts[] = {
    {10004, "Appel syst\xE8me interrompu."},
    {10009, "Nombre de fichiers incorrect."},
    {10013, "Acc\xE8s refus\xE9."},
    {10014, "Adresse incorrecte."},
    {10022, "Argument incorrect."},
    {10024, "Trop de fichiers ouverts."},
    {10035, "L'op\xE9ration risquerait de bloquer. "},
    {10036, "Op\xE9ration en cours."},
    {10037, "Op\xE9ration d\xE9j\xE0 en cours."},
    {10038, "Op\xE9ration socket sur cible non-socket."},
    {10039, "Adresse de destination requise."},
    {10040, "Message trop long."},
    {10041, "Type de protocole inappropri\xE9 pour le socket."},
    {10042, "Option de protocole incorrecte."},
    {10043, "Protocole non support\xE9."},
    {10044, "Type de socket non support\xE9."},
    {10045,
     "Op\xE9ration non support\xE9"
     "e sur un socket."},
    {10046,
     "Famille de protocole non support\xE9"
     "e."},
    {10047,
     "Famille d'adresse non support\xE9"
     "e par la famille de protocole."},
    {10048,
     "Adresse d\xE9j\xE0 utilis\xE9"
     "e."},
    {10049, "Impossible d'affecter l'adresse requise."},
    {10050, "Le r\xE9seau est arr\xEAt\xE9."},
    {10051, "Le r\xE9seau est inaccessible."},
    {10052,
     "Connexion interrompue ou r\xE9initialis\xE9"
     "e par le r\xE9seau."},
    {10053, "Le logiciel a provoqu\xE9 l'interruption de la connexion."},
    {10054,
     "Connexion r\xE9initialis\xE9"
     "e par l'homologue (peer)."},
    {10055, "Aucun espace tampon disponible."},
    {10056, "Socket d\xE9j\xE0 connect\xE9."},
    {10057, "Le socket n'est pas connect\xE9."},
    {10058,
     "Envoi ou r\xE9"
     "ception impossible apr\xE8s la fermeture du socket."},
    {10059,
     "R\xE9"
     "f\xE9rences trop nombreuses, attribution impossible."},
    {10060, "D\xE9lai de connexion d\xE9pass\xE9."},
    {10061,
     "Connexion refus\xE9"
     "e."},
    {10062, "Trop de niveaux de liens symboliques."},
    {10063, "Nom de fichier trop long."},
    {10064, "H\xF4te arr\xEAt\xE9."},
    {10065, "Pas de route vers l'h\xF4te."},
    {10066, "R\xE9pertoire non vide"},
    {11001, "H\xF4te introuvable."},
    {11002,
     "H\xF4te introuvable ou serveur de noms indisponible, r\xE9"
     "essayez plus tard."},
    {11003,
     "Erreur irr\xE9"
     "cup\xE9rable de la r\xE9solution de noms."},
    {11004, "Nom valide, mais sans adresse IPv4."},
};

constexpr std::pair<int, int> kErrnoCodes[] = {
    {EINTR, 10004},           {EBADF, 10009},        {EACCES, 10013},
    {EFAULT, 10014},          {EINVAL, 10022},       {EMFILE, 10024},
    {EWOULDBLOCK, 10035},     {EINPROGRESS, 10036},  {EALREADY, 10037},
    {ENOTSOCK, 10038},        {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},      {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},        {ENETUNREACH, 10051},  {ENETRESET, 10052},
    {ECONNABORTED, 10053},    {ECONNRESET, 10054},   {ENOBUFS, 10055},
    {ENOMEM, 10055},          {EISCONN, 10056},      {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},       {EPIPE, 10058},        {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},       {ECONNREFUSED, 10061}, {ELOOP, 10062},
    {ENAMETOOLONG, 10063},    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},
    {ENOTEMPTY, 10066},       {ENFILE, 10024},
};

}  // namespace

std::string SocketErrorText(int code) {
    for (const CodeText& entry : kCodeTexts) {
        if (entry.code == code) return entry.text;
    }
    return {};
}

int SocketCodeFromErrno(int errnoValue) {
    for (const auto& [posix, code] : kErrnoCodes) {
        if (posix == errnoValue) return code;
    }
    return errnoValue;
}

int SocketCodeFromLookupError(int eaiValue, int errnoValue) {
    switch (eaiValue) {
        case EAI_NONAME:
            return kWsaHostNotFound;
        case EAI_AGAIN:
            return kWsaTryAgain;
        case EAI_FAIL:
            return kWsaNoRecovery;
#ifdef EAI_NODATA
        case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
        case EAI_ADDRFAMILY:
#endif
        case EAI_FAMILY:
            return kWsaNoData;
        case EAI_MEMORY:
            return 10055;
        case EAI_SYSTEM:
            return SocketCodeFromErrno(errnoValue);
        default:
            return kWsaNoRecovery;
    }
}

}  // namespace net
