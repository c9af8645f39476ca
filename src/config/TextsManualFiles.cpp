// The PDF manual of each language, and what the user is asked when the
// desktop has no viewer for it.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 2;

const char* const kEnglish[kRows] = {"ManualEnglish.pdf", "Please install a PDF viewer"};
const char* const kGerman[kRows] = {"ManualGerman.pdf",
                                    "Bitte installieren Sie ein PDF-Anzeigeprogramm"};
const char* const kFrench[kRows] = {"ManualFrench.pdf", "Veuillez installer un lecteur PDF"};
const char* const kItalian[kRows] = {"ManualItalian.pdf",
                                     "Installare un visualizzatore di file PDF"};
const char* const kSpanish[kRows] = {"ManualSpanish.pdf", "Instale un visor de archivos PDF"};

} // namespace

const TextTableData manualFilesTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
