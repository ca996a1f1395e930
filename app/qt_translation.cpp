#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {

// Qt 6 asks for the standard buttons' texts ("OK", "Cancel" …) in the context
// QPlatformTheme; an older all-in-one catalogue (Swedish has no other) keeps the same
// texts under QDialogButtonBox, where it is asked next.
class CatalogueTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }
};

// The catalogues' language suffix; English has no catalogue.
const char* catalogueSuffix(Language language) {
    switch (language) {
    case Language::English:
        return nullptr;
    case Language::German:
        return "de";
    case Language::Swedish:
        return "sv";
    case Language::French:
        return "fr";
    case Language::Turkish:
        return "tr";
    }
    return nullptr;
}

} // namespace

QtTranslation::~QtTranslation() {
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

QString QtTranslation::folder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslation::use(std::optional<Language> language) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    const char* suffix = language ? catalogueSuffix(*language) : nullptr;
    if (!suffix)
        return false;
    auto translator = std::make_unique<CatalogueTranslator>();
    // qtbase first; some languages (Swedish) come only as the older all-in-one catalogue.
    for (const char* base : {"qtbase_", "qt_"}) {
        if (translator->load(QLatin1String(base) + QLatin1String(suffix), folder()) &&
            !translator->isEmpty()) {
            QCoreApplication::installTranslator(translator.get());
            translator_ = std::move(translator);
            return true;
        }
    }
    return false;
}
