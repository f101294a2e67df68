#include "ui/SvgIcon.h"
#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmapCache>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using ui::LanguageModule;

namespace {

const QSize kGrid(ui::kToolbarImageWidth, ui::kToolbarImageHeight);

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    return count;
}

// The largest difference between two colour channels of any visible pixel.
int MostColourful(const QImage& image) {
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 255) {
                most = std::max({most, std::abs(qRed(p) - qGreen(p)),
                                 std::abs(qGreen(p) - qBlue(p)), std::abs(qRed(p) - qBlue(p))});
            }
        }
    }
    return most;
}

class SvgIconTest : public ::testing::Test {
protected:
    void TearDown() override { LanguageModule::Release(); }
};

TEST_F(SvgIconTest, IconsStayDrawableAfterTheirModuleIsReleased) {
    ASSERT_TRUE(LanguageModule::Load("spanish.dll"));
    const std::vector<QIcon> images = LanguageModule::ToolbarImages(2);
    const QIcon program = LanguageModule::Icon(2);
    ASSERT_FALSE(images.empty());
    LanguageModule::Release(); // the module's resources are gone now
    QPixmapCache::clear();
    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_GT(OpaquePixels(images[i].pixmap(kGrid, QIcon::Disabled).toImage()), 20)
            << "image " << i;
    }
    EXPECT_GT(OpaquePixels(program.pixmap(32, 32).toImage()), 200);
}

TEST_F(SvgIconTest, SharpAtEveryDevicePixelRatio) {
    const std::vector<QIcon> images = LanguageModule::ToolbarImages(2);
    ASSERT_EQ(images.size(), 19u);
    for (const QIcon& icon : images) {
        EXPECT_EQ(icon.pixmap(kGrid, 1.0).size(), kGrid);
        const QPixmap doubled = icon.pixmap(kGrid, 2.0);
        EXPECT_EQ(doubled.size(), kGrid * 2); // drawn at 32x30, not a blown-up 16x15
        EXPECT_EQ(doubled.deviceIndependentSize().toSize(), kGrid);
    }
    const QIcon program = LanguageModule::Icon(2);
    EXPECT_EQ(program.pixmap(QSize(64, 64)).size(), QSize(64, 64));
    EXPECT_EQ(program.pixmap(QSize(16, 16)).size(), QSize(16, 16));
}

TEST_F(SvgIconTest, DisabledButtonsAreGreyed) {
    const std::vector<QIcon> images = LanguageModule::ToolbarImages(2);
    ASSERT_EQ(images.size(), 19u);
    const QIcon& help = images.back(); // a blue disc
    EXPECT_GT(MostColourful(help.pixmap(kGrid, QIcon::Normal).toImage()), 80);
    const QImage disabled = help.pixmap(kGrid, QIcon::Disabled).toImage();
    EXPECT_GT(OpaquePixels(disabled), 100);
    EXPECT_LT(MostColourful(disabled), 24);
}

TEST(SvgIcon, MissingOrBrokenFilesGiveNullIcons) {
    EXPECT_TRUE(ui::SvgIcon(QStringLiteral(":/no/such/image.svg")).isNull());
    const QString name = QDir::temp().absoluteFilePath(
        QString("broken-%1.svg").arg(QCoreApplication::applicationPid()));
    QFile broken(name);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect");
    broken.close();
    // The SVG parser complains about the file; that complaint is expected here.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool isNull = ui::SvgIcon(name).isNull();
    qInstallMessageHandler(previous);
    broken.remove();
    EXPECT_TRUE(isNull);
}

} // namespace
