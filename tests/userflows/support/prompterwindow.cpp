#include "prompterwindow.h"

#include <limits>

#include <QList>
#include <QThread>

#include "screenreading.h"
#include "xdesktop.h"

namespace {

// The window's fixed parts, as it lays them out.
constexpr int logoWidth = 100;
constexpr int sliderStripWidth = 40;
constexpr int statusPanelHeight = 52;
constexpr int statusLineHeight = 25;
constexpr int toolbarRowCentre = 38; // below the status panel's top
constexpr int toolbarLeft = 4;
constexpr int toolImageSpacing = 3;
constexpr int firstImageWidth = 20;
constexpr int imageWidth = 21;
constexpr int imageHeight = 15;
constexpr int helpImageCentre = 250;

// The share of bright pixels in each row, to compare pictures of text that moved.
QList<double> rowProfile(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    QList<double> profile(pixels.height(), 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        int bright = 0;
        for (int x = 0; x < pixels.width(); ++x)
            bright += qGray(line[x]) > 100;
        profile[y] = double(bright) / pixels.width();
    }
    return profile;
}

} // namespace

QRect PrompterWindow::geometry() const
{
    return m_desktop.geometry(m_window);
}

QRect PrompterWindow::pageArea(bool statusShown) const
{
    const QRect window = geometry();
    return QRect(logoWidth * m_scale, 0, window.width() - (logoWidth + sliderStripWidth) * m_scale,
                 window.height() - (statusShown ? statusPanelHeight * m_scale : 0));
}

QImage PrompterWindow::page(bool statusShown) const
{
    return m_desktop.grab(m_window).copy(pageArea(statusShown));
}

QImage PrompterWindow::statusLine() const
{
    const QRect window = geometry();
    const QImage line = m_desktop.grab(m_window).copy(0, window.height() - statusPanelHeight * m_scale,
                                                      window.width(), statusLineHeight * m_scale);
    // Small print reads better enlarged.
    return m_scale > 1 ? line : line.scaled(line.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PrompterWindow::statusText() const
{
    return readText(statusLine());
}

QRect PrompterWindow::toolImageRect(Tool tool) const
{
    // In the window's own units, then on the screen's.
    const QRect window = geometry();
    const int width = window.width() / m_scale;
    const int top = window.height() / m_scale - statusPanelHeight + toolbarRowCentre - 2 - imageHeight / 2;
    const int index = int(tool);
    int left = 0;
    if (tool <= Tool::NextScript) {
        left = index == 0 ? toolbarLeft
                          : toolbarLeft + firstImageWidth + toolImageSpacing +
                                (index - 1) * (imageWidth + toolImageSpacing);
    } else if (tool == Tool::Help) {
        left = helpImageCentre - imageWidth / 2;
    } else {
        // Rotate, mirror and dual display stand at the right end, in that order.
        const int fromRight = int(Tool::DualDisplay) - index;
        left = width - toolbarLeft - imageWidth - fromRight * (imageWidth + toolImageSpacing);
    }
    const int imageWide = tool == Tool::IncreaseSpeed ? firstImageWidth : imageWidth;
    return QRect(left * m_scale, top * m_scale, imageWide * m_scale, imageHeight * m_scale);
}

QPoint PrompterWindow::toolImage(Tool tool) const
{
    return toolImageRect(tool).center();
}

void PrompterWindow::click(Tool tool) const
{
    m_desktop.click(m_window, toolImage(tool));
    // Away again, so that the next picture shows the image at rest.
    m_desktop.moveMouse(m_window, pageArea().center());
}

void PrompterWindow::menu(const QStringList &keys) const
{
    m_desktop.click(m_window, QPoint(logoWidth / 2, 35) * m_scale, 3);
    QThread::msleep(400);
    m_desktop.key(keys);
}

void PrompterWindow::keys(const QStringList &keys) const
{
    m_desktop.key(keys);
}

void PrompterWindow::clickPage(int button) const
{
    m_desktop.click(m_window, pageArea().center(), button);
}

int PrompterWindow::verticalShift(const QImage &before, const QImage &after, int largest)
{
    const QList<double> first = rowProfile(before);
    const QList<double> second = rowProfile(after);
    const int rows = int(qMin(first.size(), second.size()));
    int best = 0;
    double bestCost = std::numeric_limits<double>::max();
    for (int shift = -largest; shift <= largest; ++shift) {
        // Row y of the first picture is row y - shift of the second.
        double cost = 0;
        int compared = 0;
        for (int y = qMax(0, shift); y < rows && y - shift < rows; ++y) {
            cost += qAbs(first[y] - second[y - shift]);
            ++compared;
        }
        if (compared < rows / 2)
            continue;
        cost /= compared;
        if (cost < bestCost - 1e-9 || (qAbs(cost - bestCost) < 1e-9 && qAbs(shift) < qAbs(best))) {
            bestCost = cost;
            best = shift;
        }
    }
    return best;
}
