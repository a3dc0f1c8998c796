#include "app/ui/FileDialog.h"

#include "base/core/Failure.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

Dialog::AnswerProvider& answerProvider() {
    static Dialog::AnswerProvider provider;
    return provider;
}

}  // namespace

void Dialog::setAnswerProvider(AnswerProvider provider) {
    answerProvider() = std::move(provider);
}

QStringList Dialog::qtFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // The description may show its patterns already; Qt takes them from the last
        // parenthesis, so drop them and list the real ones there.
        if (description.endsWith(u')') && description.contains(u'('))
            description = description.left(description.lastIndexOf(u'(')).trimmed();
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            // File names are case sensitive here; a pattern matches both cases.
            for (const QString& variant : {pattern.trimmed().toLower(), pattern.trimmed().toUpper()})
                if (!patterns.contains(variant))
                    patterns.append(variant);
        }
        result.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}

QString Dialog::showOpen() {
    return show(false);
}

QString Dialog::showSave() {
    return show(true);
}

QString Dialog::show(bool save) {
    QString chosen;
    if (answerProvider()) {
        chosen = answerProvider()(*this, save);
    } else {
        QFileDialog dialog(m_parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & OverwritePrompt));
        const QStringList filters = qtFilters(m_filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = m_filterIndex >= 1 && m_filterIndex <= filters.size() ? m_filterIndex : 1;
            dialog.selectNameFilter(filters.at(index - 1));
        }
        if (!m_fileName.isEmpty()) {
            const QFileInfo info(m_fileName);
            if (info.isAbsolute())
                dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty())
        throw Failure(ErrorNumber::DialogCancelled);
    m_fileName = chosen;
    return chosen;
}
