// The platform of the running program; see qt_platform.h.
#include "platform/qt_platform.h"

#include "platform/colours.h"
#include "platform/help_viewer.h"

#include <QApplication>
#include <QBoxLayout>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTranslator>
#include <algorithm>

QString qtFileFilter(const QString& barSeparatedFilter) {
    const QStringList parts = barSeparatedFilter.split('|');
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        const QString& description = parts[k];
        filters << (description.contains('(') ? description
                                              : description + " (" + parts[k + 1] + ")");
    }
    return filters.join(";;");
}

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

int availableWidth(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen->availableGeometry().width() : QWIDGETSIZE_MAX;
}

// Widens a dialog so that its title bar shows its title whole, up to the
// screen's width. Message boxes fix their size from their layout whenever
// they are shown, so the room is made in the layout: a spacer row across a
// grid, a strut across a column.
void makeRoomForTitle(QDialog& dialog) {
    const int wanted =
        std::min(titleBarWidth(dialog.windowTitle(), dialog.font()), availableWidth(dialog));
    QLayout* layout = dialog.layout();
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const QMargins margins = grid->contentsMargins();
        const int spacerWidth = std::max(0, wanted - margins.left() - margins.right());
        grid->addItem(new QSpacerItem(spacerWidth, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    } else if (auto* column = qobject_cast<QBoxLayout*>(layout)) {
        const QMargins margins = column->contentsMargins();
        column->addStrut(std::max(0, wanted - margins.left() - margins.right()));
    } else {
        dialog.setMinimumWidth(wanted);
    }
}

}  // namespace

bool installChineseTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

int titleBarWidth(const QString& title, const QFont& font) {
    // The window icon and up to three buttons, each about two lines square.
    constexpr int kDecorationInLines = 8;
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(title) + kDecorationInLines * metrics.height();
}

MessageAnswer QtPlatform::messageBox(const QString& text, MessageButtons buttons, MessageIcon icon,
                                     const QString& caption) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent_);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
    }
    makeRoomForTitle(box);
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title,
                             const QString& initialText) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    // The input dialog builds its layout when first measured.
    dialog.sizeHint();
    makeRoomForTitle(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtPlatform::openFileName(const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, QString(), folder, qtFileFilter(filter));
}

QString QtPlatform::saveFileName(const QString& filter, const QString& defaultSuffix,
                                 const QString& suggestedPath) {
    QFileDialog dialog(parent_, QString(), suggestedPath, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

std::optional<std::int32_t> QtPlatform::chooseColour(std::int32_t initial) {
    const QColor chosen = QColorDialog::getColor(toQColor(initial), parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return toColourValue(chosen);
}

void QtPlatform::beep() {
    QApplication::beep();
}

// Pages are laid out at the screen's resolution, so that the drawing's
// fonts and one-pixel lines keep their size against it.
void QtPlatform::printPreview(const std::function<void(QPrinter&)>& paint) {
    constexpr int kScreenDpi = 96;
    QPrinter printer;
    printer.setResolution(kScreenDpi);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(&printer, parent_);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* pages) { paint(*pages); });
    dialog.exec();
}

QtPlatform::~QtPlatform() {
    delete helpViewer_;  // a window without parent is not deleted by Qt
}

void QtPlatform::showHelp(const QString& helpFile) {
    HelpViewer* viewer = helpViewer_ ? helpViewer_.data() : new HelpViewer;
    if (!viewer->open(helpFile)) {
        // An open window would show a document that is no longer there.
        if (viewer == helpViewer_) {
            closeHelp();
        } else {
            delete viewer;
        }
        tell(QStringLiteral("找不到帮助文档，或无法读取：\n") + QDir::toNativeSeparators(helpFile),
             MessageIcon::Exclamation, QStringLiteral("帮助"));
        return;
    }
    if (!helpViewer_) {
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        helpViewer_ = viewer;
    }
    viewer->showIndex();
    viewer->setWindowState(viewer->windowState() & ~Qt::WindowMinimized);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void QtPlatform::closeHelp() {
    if (helpViewer_) {
        helpViewer_->close();
    }
}

namespace {

QSettings userSettings() {
    return QSettings(QStringLiteral("Orvandel"), QStringLiteral("Orvandel"));
}

}  // namespace

bool QtPlatform::setting(const QString& key, bool fallback) {
    return userSettings().value(key, fallback).toBool();
}

void QtPlatform::keepSetting(const QString& key, bool value) {
    userSettings().setValue(key, value);
}

QString QtPlatform::textSetting(const QString& key, const QString& fallback) {
    return userSettings().value(key, fallback).toString();
}

void QtPlatform::keepTextSetting(const QString& key, const QString& value) {
    userSettings().setValue(key, value);
}
