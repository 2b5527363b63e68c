#include "javascript_loader.h"

#include "javascript_worker.h"
#include "worker_engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quorvix {
namespace {

// Stands in for JavaScript when its worker program is missing.
class UnavailableEngine final : public ScriptEngine {
public:
    explicit UnavailableEngine(const QString& reason)
        : m_error(languageName(ScriptLanguage::JavaScript) + QStringLiteral(" is not available: ") +
                  reason) {}

    ScriptLanguage language() const override { return ScriptLanguage::JavaScript; }
    std::optional<ScriptValue> eval(const QString&) override { return std::nullopt; }
    bool executeStatement(const QString&) override { return false; }
    QString errorDescription() const override { return m_error; }
    QString noTextFormDescription(const ScriptValue&) const override { return m_error; }
    bool storeAnswer(const ScriptValue&, const QString&) override { return false; }

private:
    QString m_error;
};

} // namespace

QStringList javaScriptWorkerCandidates(const QString& programFolder) {
    QStringList candidates;
    if (programFolder.isEmpty()) {
        return candidates;
    }
    const QDir folder(programFolder);
    candidates << folder.filePath(QString::fromLatin1(kJavaScriptWorkerName));
    const QString buildTree = QDir(QStringLiteral(QUORVIX_BUILD_TREE)).absolutePath();
    const QString relative = QDir(buildTree).relativeFilePath(folder.absolutePath());
    if (!relative.startsWith(QStringLiteral("..")) && !QDir::isAbsolutePath(relative)) {
        candidates << QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH);
    }
    return candidates;
}

QStringList javaScriptWorkerCandidates() {
    return javaScriptWorkerCandidates(
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

std::unique_ptr<ScriptEngine> loadJavaScriptEngine(const QStringList& candidates,
                                                   std::chrono::milliseconds timeLimit) {
    for (const QString& path : candidates) {
        const QFileInfo file(path);
        if (file.isFile() && file.isExecutable()) {
            WorkerEngine::Launch launch{ScriptLanguage::JavaScript,
                                        file.absoluteFilePath(),
                                        {QString::number(timeLimit.count())},
                                        timeLimit};
            return std::make_unique<WorkerEngine>(std::move(launch));
        }
    }
    return std::make_unique<UnavailableEngine>(QString::fromLatin1(kJavaScriptWorkerName) +
                                               QStringLiteral(" was not found"));
}

} // namespace quorvix
