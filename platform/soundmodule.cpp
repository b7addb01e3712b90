// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/soundmodule.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace platform {

namespace {

using CreateOutput = SoundOutput *(*)();

QString g_firstDirectory;

class SilentOutput : public SoundOutput
{
public:
    void setFileName(const QString &) override {}
    void command(const QString &) override {}
};

QString soundModuleName()
{
    return QStringLiteral("lupreda-sound.so");
}

// Beside the program (a build tree), then in the installed library folder.
QStringList soundModuleDirectories()
{
    QStringList directories;
    if (!g_firstDirectory.isEmpty())
        directories << g_firstDirectory;
    const QString programDirectory = QCoreApplication::applicationDirPath();
    directories << programDirectory
                << programDirectory + QStringLiteral("/" LUPREDA_SOUND_MODULE_RELATIVE_DIR);
    return directories;
}

CreateOutput loadModule()
{
    for (const QString &directory : soundModuleDirectories()) {
        // The library stays loaded for the life of the program: a QLibrary
        // going out of scope does not unload it.
        QLibrary module(directory + QLatin1Char('/') + soundModuleName());
        if (auto create = reinterpret_cast<CreateOutput>(module.resolve("lupreda_create_chime_output")))
            return create;
    }
    std::fputs("lupreda: modulo dei suoni non trovato, gli esercizi restano muti\n", stderr);
    return nullptr;
}

} // namespace

void setSoundModuleDirectory(const QString &directory)
{
    g_firstDirectory = directory;
}

std::unique_ptr<SoundOutput> createModuleSoundOutput()
{
    static const CreateOutput create = loadModule();
    if (!create)
        return std::make_unique<SilentOutput>();
    return std::unique_ptr<SoundOutput>(create());
}

} // namespace platform
