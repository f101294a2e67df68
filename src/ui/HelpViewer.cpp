#include "ui/HelpViewer.h"

#include "platform/Profile.h"
#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResource>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {
namespace {

// Reads one page out of a bundle file. The bundle is registered from memory
// under a root of its own just for the read: nothing stays mapped.
QString ReadBundlePage(const QString& bundlePath, const QString& page) {
    QFile file(bundlePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray data = file.readAll();
    const QString root = QStringLiteral("/zax-help-read");
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (!QResource::registerResource(bytes, root)) {
        return {};
    }
    QString text;
    QFile pageFile(QLatin1Char(':') + root + QLatin1Char('/') + page + QStringLiteral(".html"));
    if (pageFile.open(QIODevice::ReadOnly)) {
        text = QString::fromUtf8(pageFile.readAll());
    }
    QResource::unregisterResource(bytes, root);
    return text;
}

QString DefaultHelpFile() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString name = program.completeBaseName() + QStringLiteral(".hlp");
    const QString own = HelpViewer::UserHelpFile(name);
    if (QFileInfo::exists(own)) {
        return own;
    }
    return program.absolutePath() + QLatin1Char('/') + name;
}

} // namespace

QString HelpViewer::UserHelpFile(const QString& fileName) {
    return QString::fromStdString(platform::ProfilePath(fileName.toStdString()).string());
}

HelpViewer& HelpViewer::Instance() {
    static HelpViewer* viewer = new HelpViewer; // lives until the application ends
    return *viewer;
}

HelpViewer::HelpViewer()
    : QWidget(nullptr, Qt::Window), hlpPath_(DefaultHelpFile()), browser_(new QTextBrowser),
      contentsButton_(new QPushButton), backButton_(new QPushButton),
      forwardButton_(new QPushButton) {
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* bar = new QHBoxLayout;
    bar->addWidget(contentsButton_);
    bar->addWidget(backButton_);
    bar->addWidget(forwardButton_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        QString page = url.fileName();
        page.chop(page.endsWith(QStringLiteral(".html")) ? 5 : 0);
        ShowPage(page, true);
    });
    connect(contentsButton_, &QPushButton::clicked, this, [this] { ShowPage("contents", true); });
    connect(backButton_, &QPushButton::clicked, this, [this] { GoBack(); });
    connect(forwardButton_, &QPushButton::clicked, this, [this] { GoForward(); });
    resize(560, 460);
}

void HelpViewer::SetHelpFile(const QString& hlpPath) {
    hlpPath_ = hlpPath;
}

void HelpViewer::ShowContext(int context) {
    if (context == 0) {
        ShowContents();
    } else {
        ShowTopic(context);
    }
}

void HelpViewer::ShowContents() {
    ShowPage(QStringLiteral("contents"), true);
    Present();
}

void HelpViewer::ShowTopic(int context) {
    ShowPage(QString::number(context), true);
    Present();
}

void HelpViewer::ShowUsingHelp() {
    ShowPage(QStringLiteral("using"), true);
    Present();
}

void HelpViewer::ShowPage(const QString& page, bool record) {
    Retranslate();
    QString bundle = hlpPath_;
    if (page == QLatin1String("contents")) {
        bundle.chop(QFileInfo(bundle).suffix().size());
        bundle += QStringLiteral("cnt");
    }
    QString html = ReadBundlePage(bundle, page);
    QString shown = page;
    if (html.isEmpty()) {
        shown = QStringLiteral("missing");
        html = QStringLiteral("<p>%1</p><p><a href=\"contents.html\">%2</a></p>")
                   .arg(LanguageModule::String(StringId::HelpTopicMissing).toHtmlEscaped(),
                        LanguageModule::String(StringId::HelpContents).remove('&'));
    }
    if (record && !current_.isEmpty() && current_ != page) {
        back_ << current_;
        forward_.clear();
    }
    current_ = shown == QLatin1String("missing") ? shown : page;
    browser_->setHtml(html);
    backButton_->setEnabled(!back_.isEmpty());
    forwardButton_->setEnabled(!forward_.isEmpty());
}

void HelpViewer::GoBack() {
    if (back_.isEmpty()) {
        return;
    }
    forward_.prepend(current_);
    const QString page = back_.takeLast();
    current_.clear();
    ShowPage(page, false);
}

void HelpViewer::GoForward() {
    if (forward_.isEmpty()) {
        return;
    }
    back_ << current_;
    const QString page = forward_.takeFirst();
    current_.clear();
    ShowPage(page, false);
}

void HelpViewer::Retranslate() {
    setWindowTitle(LanguageModule::String(StringId::HelpWindowTitle));
    contentsButton_->setText(LanguageModule::String(StringId::HelpContents));
    backButton_->setText(LanguageModule::String(StringId::HelpBack));
    forwardButton_->setText(LanguageModule::String(StringId::HelpForward));
}

void HelpViewer::Present() {
    show();
    raise();
    activateWindow();
}

} // namespace ui
