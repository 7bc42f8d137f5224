#include "common/widgets/QtDesktop.h"

#include "common/widgets/QtText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QStringList>
#include <QUrl>

inline namespace zz {

namespace {

QWidget* Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace

QString QtFileFilter(const std::string& filter)
{
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList labels;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the label's parentheses; give it the pattern part.
        QString label = parts[i];
        const qsizetype open = label.indexOf(QLatin1Char('('));
        if (open >= 0) label = label.left(open).trimmed();
        labels << QStringLiteral("%1 (%2)").arg(label,
                                                QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return labels.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDesktop::PickFolder(const std::string& title, const std::string& root,
                                                 const std::string& preselected)
{
    const QString start = Q(preselected.empty() ? root : preselected);
    const QString chosen = QFileDialog::getExistingDirectory(Owner(), Q(title), start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return S(chosen);
}

std::optional<std::string> QtDesktop::PickOpenFile(const std::string& title, const std::string& directory,
                                                   const std::string& filter)
{
    const QString chosen = QFileDialog::getOpenFileName(Owner(), Q(title), Q(directory), QtFileFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return S(chosen);
}

std::optional<std::string> QtDesktop::PickSaveFile(const std::string& title, const std::string& directory,
                                                   const std::string& filter)
{
    const QString chosen = QFileDialog::getSaveFileName(Owner(), Q(title), Q(directory), QtFileFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return S(chosen);
}

void QtDesktop::OpenLink(const std::string& address)
{
    QDesktopServices::openUrl(QUrl(Q(address)));
}

bool QtDesktop::StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& workingDirectory)
{
    return SpawnDetached(program, arguments, workingDirectory, &started_);
}

bool QtDesktop::LastStartedRunning()
{
    return ProcessRunning(started_);
}

} // namespace zz
