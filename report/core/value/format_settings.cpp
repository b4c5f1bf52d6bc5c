#include "report/core/value/format_settings.h"

namespace report {

FormatSettings FormatSettings::French() {
    FormatSettings settings;
    // Windows-1252 bytes: \xE9 is é, \xFB is û (split where a letter would extend the escape).
    settings.longMonthNames = {"janvier",
                               "f\xE9vrier",
                               "mars",
                               "avril",
                               "mai",
                               "juin",
                               "juillet",
                               "ao\xFBt",
                               "septembre",
                               "octobre",
                               "novembre",
                               "d\xE9"
                               "cembre"};
    settings.shortMonthNames = {"janv.",
                                "f\xE9vr.",
                                "mars",
                                "avr.",
                                "mai",
                                "juin",
                                "juil.",
                                "ao\xFBt",
                                "sept.",
                                "oct.",
                                "nov.",
                                "d\xE9"
                                "c."};
    settings.longDayNames = {"dimanche", "lundi",    "mardi", "mercredi",
                             "jeudi",    "vendredi", "samedi"};
    settings.shortDayNames = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
    return settings;
}

FormatSettings& Formats() {
    static FormatSettings settings = FormatSettings::French();
    return settings;
}

ScopedFormats::ScopedFormats(const FormatSettings& replacement) : saved_(Formats()) {
    Formats() = replacement;
}

ScopedFormats::~ScopedFormats() {
    Formats() = saved_;
}

}  // namespace report
