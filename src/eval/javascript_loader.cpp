#include "javascript_loader.h"

#include "javascript_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace quorvix {
namespace {

// Stands in for JavaScript when its module cannot be loaded.
class UnavailableEngine final : public ScriptEngine {
public:
    explicit UnavailableEngine(const QString& reason)
        : m_error(QStringLiteral("JavaScript is not available: ") + reason) {}

    QString language() const override { return QStringLiteral("JavaScript"); }
    std::optional<ScriptValue> eval(const QString&) override { return std::nullopt; }
    bool executeStatement(const QString&) override { return false; }
    QString errorDescription() const override { return m_error; }
    QString noTextFormDescription(const ScriptValue&) const override { return m_error; }
    bool storeAnswer(const ScriptValue&, const QString&) override { return false; }

private:
    QString m_error;
};

} // namespace

QStringList javaScriptModuleCandidates(const QString& programFolder) {
    QStringList candidates;
    if (programFolder.isEmpty()) {
        return candidates;
    }
    const QDir folder(programFolder);
    candidates << folder.filePath(QString::fromLatin1(kJavaScriptModuleName));
    const QString buildTree = QDir(QStringLiteral(QUORVIX_BUILD_TREE)).absolutePath();
    const QString relative = QDir(buildTree).relativeFilePath(folder.absolutePath());
    if (!relative.startsWith(QStringLiteral("..")) && !QDir::isAbsolutePath(relative)) {
        candidates << QStringLiteral(QUORVIX_JAVASCRIPT_MODULE_BUILD_PATH);
    }
    return candidates;
}

QStringList javaScriptModuleCandidates() {
    return javaScriptModuleCandidates(
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

std::unique_ptr<ScriptEngine> loadJavaScriptEngine(const QStringList& candidates,
                                                   std::chrono::milliseconds timeLimit) {
    QString reason = QString::fromLatin1(kJavaScriptModuleName) + QStringLiteral(" was not found");
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile()) {
            continue;
        }
        // The module stays loaded for the life of the process: engines made from it may be
        // destroyed as late as the program's exit.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto create =
            reinterpret_cast<QuorvixCreateJavaScriptEngine>(module.resolve(kJavaScriptFactoryName));
        if (!create) {
            reason = module.errorString();
            continue;
        }
        if (ScriptEngine* engine = create(static_cast<long long>(timeLimit.count()))) {
            return std::unique_ptr<ScriptEngine>(engine);
        }
    }
    return std::make_unique<UnavailableEngine>(reason);
}

} // namespace quorvix
