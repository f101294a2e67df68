#include "app/LanguageDialog.h"

#include "app/LanguageCodes.h"
#include "app/MainFrame.h"
#include "ui/HelpViewer.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_LanguageDialog.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryFile>

namespace app {
namespace {

bool CanWriteIn(const QString& directory) {
    QTemporaryFile probe(directory + QStringLiteral("/.zaxmgr-XXXXXX"));
    return probe.open();
}

} // namespace

using namespace ui;

LanguageDialog::LanguageDialog(const core::ConfigFile& config, int& languageCode,
                               zax::Session& session, CMainFrame& frame, QWidget* parent)
    : TemplateDialog(DialogId::Language, parent), form_(new Ui::LanguageDialog), config_(config),
      languageCode_(languageCode), session_(session), frame_(frame) {
    form_->setupUi(this);
    // Radios without a group of their own: a code no radio stands for must
    // be able to show none of them checked.
    for (const LanguageChoice& choice : kLanguageChoices) {
        if (auto* radio = ControlAs<QRadioButton>(choice.radioId)) {
            radio->setAutoExclusive(false);
            connect(radio, &QRadioButton::clicked, this, [this, id = choice.radioId] {
                for (const LanguageChoice& other : kLanguageChoices) {
                    SetChecked(other.radioId, other.radioId == id);
                }
            });
        }
    }
}

LanguageDialog::~LanguageDialog() = default;

bool LanguageDialog::OnInitDialog() {
    for (const LanguageChoice& choice : kLanguageChoices) {
        SetChecked(choice.radioId, choice.code == languageCode_);
        EnableControl(
            choice.radioId,
            !LanguageModule::FindFile(QString::fromLatin1(choice.enablingFile)).isEmpty());
    }
    codeOnOpening_ = SelectedCode();
    return true;
}

int LanguageDialog::SelectedCode() const {
    for (const LanguageChoice& choice : kLanguageChoices) {
        if (IsChecked(choice.radioId)) {
            return choice.code;
        }
    }
    return 0;
}

void LanguageDialog::OnOK() {
    const int code = SelectedCode();
    // Once a module was switched in and the file could not be written, even
    // the language of opening is a change: its module is no longer in use.
    const LanguageChoice* choice = FindLanguageChoice(code);
    if ((code == codeOnOpening_ && !moduleSwitched_) || choice == nullptr) {
        EndDialog(kAnswerOk);
        return;
    }
    const QString baseName = QString::fromLatin1(choice->baseName);
    const QString moduleFile = baseName + QStringLiteral(".dll");
    if (!LanguageModule::Load(moduleFile)) {
        ShowStandardMessage(LanguageModule::String(StringId::ErrorLoadingPrefix) + moduleFile);
        EndDialog(kAnswerOk);
        return;
    }
    moduleSwitched_ = true;
    languageCode_ = code;
    session_.systemInfo.LanguageCode = static_cast<int16_t>(code);
    frame_.ApplyNewLanguage();
    ApplyTexts(); // the dialog itself, should it stay open
    if (!config_.WriteLanguage(code)) {
        // The dialog stays open; OK again retries the whole step, from the
        // module on, and only then are the help files copied.
        ShowStatusMessage(StringId::ErrorWritingIni);
        return;
    }
    CopyHelpFiles(baseName);
    EndDialog(kAnswerOk);
}

// The help window reads "gui.hlp"/"gui.cnt" beside the program; the new
// language's pair replaces them. A pair that cannot be copied is reported by
// its source name, and the other one is still copied. An installed program's
// folder is not the user's to write: the pair then goes to the user's
// configuration folder, and the help window reads it from there.
void LanguageDialog::CopyHelpFiles(const QString& baseName) {
    const QFileInfo help(HelpViewer::Instance().HelpFile());
    QString directory = help.absolutePath();
    const QString target = help.completeBaseName();
    if (!CanWriteIn(directory)) {
        const QFileInfo own(HelpViewer::UserHelpFile(target + QStringLiteral(".hlp")));
        directory = own.absolutePath();
        QDir().mkpath(directory);
        HelpViewer::Instance().SetHelpFile(own.absoluteFilePath());
    }
    for (const char* suffix : {".hlp", ".cnt"}) {
        const QString source = LanguageModule::FindFile(baseName + QLatin1String(suffix));
        const QString destination = directory + QLatin1Char('/') + target + QLatin1String(suffix);
        bool copied = false;
        if (!source.isEmpty()) {
            if (QFileInfo(source).absoluteFilePath() == QFileInfo(destination).absoluteFilePath()) {
                copied = true;
            } else {
                QFile::remove(destination);
                copied = QFile::copy(source, destination);
            }
        }
        if (!copied) {
            ShowMessage(LanguageModule::String(StringId::CannotFindPrefix) + baseName +
                        QLatin1String(suffix));
        }
    }
}

} // namespace app
