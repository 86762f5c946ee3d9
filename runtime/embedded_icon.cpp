// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/embedded_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <vector>

namespace rt {
namespace {

// Width and height stand big-endian at bytes 16 and 20, in the IHDR chunk
// that every PNG starts with.
QSize pngSize(std::string_view png) {
    if (png.size() < 24 || png.substr(1, 3) != "PNG" || png.substr(12, 4) != "IHDR") return {};
    const auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(png[at + i]);
        return value;
    };
    return QSize(word(16), word(20));
}

class EmbeddedIconEngine : public QIconEngine {
public:
    EmbeddedIconEngine(std::span<const std::string_view> pngs, std::span<const std::string_view> pngs2x) {
        for (std::string_view png : pngs) {
            const QSize size = pngSize(png);
            if (size.isValid()) images_.push_back({size, png});
        }
        for (std::string_view png : pngs2x) {
            const QSize size = pngSize(png);
            if (size.isValid()) doubles_[size.width() / 2] = png;
        }
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const Image* image = bestFor(size);
        if (image == nullptr) return {};
        return fitted(decode(image->png), size);
    }

    // On a dense screen, the design for the logical size drawn at twice the
    // size, rather than the design of a larger icon.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        const int logical = qRound(size.width() / scale);
        const auto twice = doubles_.find(logical);
        if (scale <= 1 || twice == doubles_.end()) return pixmap(size, mode, state);
        return fitted(decode(twice->second), size);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const Image* image = bestFor(size);
        return image == nullptr ? QSize() : image->size.boundedTo(size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const Image& image : images_) sizes << image.size;
        return sizes;
    }

    bool isNull() override { return images_.empty(); }
    QString key() const override { return QStringLiteral("qintara-embedded"); }
    QIconEngine* clone() const override { return new EmbeddedIconEngine(*this); }

private:
    struct Image {
        QSize size;
        std::string_view png;
    };

    // The smallest image at least as big as asked, else the biggest.
    const Image* bestFor(const QSize& size) const {
        const auto covers = [&](const Image& image) {
            return image.size.width() >= size.width() && image.size.height() >= size.height();
        };
        const Image* best = nullptr;
        for (const Image& image : images_) {
            if (best == nullptr) {
                best = &image;
            } else if (covers(image) != covers(*best)) {
                if (covers(image)) best = &image;
            } else if (covers(image) ? image.size.width() < best->size.width() : image.size.width() > best->size.width()) {
                best = &image;
            }
        }
        return best;
    }

    const QPixmap& decode(std::string_view png) {
        QPixmap& decoded = decoded_[png.data()];
        if (decoded.isNull()) decoded.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<uint>(png.size()));
        return decoded;
    }

    static QPixmap fitted(const QPixmap& decoded, const QSize& size) {
        if (decoded.size() == size || decoded.isNull()) return decoded;
        return decoded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    std::vector<Image> images_;
    std::map<int, std::string_view> doubles_;  // by the logical size they are drawn for
    std::map<const char*, QPixmap> decoded_;
};

}  // namespace

QIcon embeddedIcon(std::span<const std::string_view> pngs, std::span<const std::string_view> pngs2x) {
    return QIcon(new EmbeddedIconEngine(pngs, pngs2x));
}

}  // namespace rt
