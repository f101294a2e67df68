#include "ui/SvgIcon.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace ui {
namespace {

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(std::shared_ptr<QSvgRenderer> renderer)
        : renderer_(std::move(renderer)) {}

    QIconEngine* clone() const override { return new SvgIconEngine(renderer_); }
    QString key() const override { return QStringLiteral("zax-svg"); }
    bool isNull() override { return false; }

    // The drawing keeps its proportions: a 16x15 document asked for at 32x32
    // comes out 32x30.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return renderer_->defaultSize().scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty()) {
            return {};
        }
        QPixmap pixmap(actual);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            renderer_->render(&painter, QRectF(QPointF(0, 0), actual));
        }
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QApplication::palette();
            const QPixmap styled =
                QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            if (!styled.isNull()) {
                pixmap = styled;
            }
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap image = pixmap(rect.size() * ratio, mode, state);
        if (image.isNull()) {
            return;
        }
        image.setDevicePixelRatio(ratio);
        const QSize shown = image.size() / ratio;
        const QPoint at = rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                  (rect.height() - shown.height()) / 2);
        painter->drawPixmap(at, image);
    }

private:
    std::shared_ptr<QSvgRenderer> renderer_;
};

} // namespace

QIcon SvgIcon(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    auto renderer = std::make_shared<QSvgRenderer>(file.readAll());
    if (!renderer->isValid() || renderer->defaultSize().isEmpty()) {
        return {};
    }
    return QIcon(new SvgIconEngine(std::move(renderer)));
}

} // namespace ui
