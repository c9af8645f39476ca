#include "device/PortAccess.h"

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

PortAccessResult checkPortAccess(const std::string& devicePath) {
    PortAccessResult result;
    struct stat info {};
    if (devicePath.empty() || ::stat(devicePath.c_str(), &info) != 0) {
        result.access = PortAccess::Missing;
        return result;
    }
    if (::access(devicePath.c_str(), R_OK | W_OK) == 0)
        return result;
    if (errno != EACCES && errno != EPERM)
        return result;
    result.access = PortAccess::PermissionDenied;
    if (const group* owner = ::getgrgid(info.st_gid))
        result.group = owner->gr_name;
    return result;
}

std::string shortPortName(const std::string& portName) {
    const auto com = portName.rfind("COM");
    return com == std::string::npos ? portName : portName.substr(com);
}

namespace {

struct Phrases {
    const char* denied; // short, for the line
    const char* advice; // how to become a member of the group
    const char* missing;
};

// English, German, French, Italian, Spanish.
const Phrases kPhrases[5] = {
    {"no access, join group %g",
     "The system refuses access to the serial port. Add your user to the group %g "
     "(sudo usermod -aG %g $USER), then log out and in again.",
     "device not present"},
    {"kein Zugriff, Gruppe %g beitreten",
     "Das System verweigert den Zugriff auf die serielle Schnittstelle. Nehmen Sie Ihren "
     "Benutzer in die Gruppe %g auf (sudo usermod -aG %g $USER) und melden Sie sich neu an.",
     "Gerät nicht vorhanden"},
    {"accès refusé, rejoindre le groupe %g",
     "Le système refuse l'accès au port série. Ajoutez votre utilisateur au groupe %g "
     "(sudo usermod -aG %g $USER), puis reconnectez-vous.",
     "périphérique absent"},
    {"accesso negato, entrare nel gruppo %g",
     "Il sistema nega l'accesso alla porta seriale. Aggiungere l'utente al gruppo %g "
     "(sudo usermod -aG %g $USER), quindi uscire e rientrare nella sessione.",
     "dispositivo non presente"},
    {"acceso denegado, unirse al grupo %g",
     "El sistema deniega el acceso al puerto serie. Añada su usuario al grupo %g "
     "(sudo usermod -aG %g $USER) y vuelva a iniciar la sesión.",
     "dispositivo no presente"},
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

PortProblemText portProblemText(const std::string& portName, const std::string& devicePath,
                                const PortAccessResult& result, int language) {
    PortProblemText text;
    if (result.access == PortAccess::Usable)
        return text;
    const Phrases& phrases = kPhrases[(language >= 0 && language < 5) ? language : 0];
    // The line has room for the port and what to do; the device file is
    // named in the tool tip.
    const std::string port = shortPortName(portName);
    const std::string where = port + " (" + devicePath + "): ";
    if (result.access == PortAccess::Missing) {
        text.line = port + ": " + phrases.missing;
        text.detail = where + phrases.missing;
        return text;
    }
    const std::string group = result.group.empty() ? "dialout" : result.group;
    text.line = port + ": " + replaceAll(phrases.denied, "%g", group);
    text.detail = where + replaceAll(phrases.advice, "%g", group);
    return text;
}
