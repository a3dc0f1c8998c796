#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's one file dialog, owned by the main window and used by every window for
// its file operations. Filters are given as "description|pattern|description|pattern";
// Cancel throws Failure(32755), which the central error report passes over silently.
class Dialog {
public:
    enum Flags { OverwritePrompt = 2 };

    explicit Dialog(QWidget* parent = nullptr) : m_parent(parent) {}

    void setFilter(const QString& filter) { m_filter = filter; }
    const QString& filter() const { return m_filter; }
    // 1-based; an index past the filters selects the first.
    void setFilterIndex(int index) { m_filterIndex = index; }
    int filterIndex() const { return m_filterIndex; }
    void setFlags(int flags) { m_flags = flags; }
    int flags() const { return m_flags; }
    // The file chosen last (empty when none); also the name the dialog starts with.
    void setFileName(const QString& name) { m_fileName = name; }
    const QString& fileName() const { return m_fileName; }

    // Shows the dialog and returns the chosen path; throws Failure(32755) on Cancel.
    QString showOpen();
    QString showSave();

    // The filter in Qt's syntax: "Text-Dateien (*.TXT)|*.txt" -> "Text-Dateien (*.txt *.TXT)".
    static QStringList qtFilters(const QString& filter);

    // Tests: answers every dialog without showing it; an empty answer is Cancel.
    // Pass an empty function to show the real dialog again.
    using AnswerProvider = std::function<QString(const Dialog& dialog, bool save)>;
    static void setAnswerProvider(AnswerProvider provider);

private:
    QString show(bool save);

    QWidget* m_parent;
    QString m_filter;
    int m_filterIndex = 1;
    int m_flags = 0;
    QString m_fileName;
};
