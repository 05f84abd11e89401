#pragma once

// knobctl run in-process, as the tests drive it: arguments and standard input in, exit status
// and both streams out.
#include "cli/knobctl.h"

#include <QString>
#include <QStringList>

#include <sstream>
#include <string>
#include <vector>

namespace knobctl_run {

struct Run {
    int status;
    QString out;
    QString err;
};

inline Run knobctl(const QStringList& arguments, kbs::cli::Language language = kbs::cli::Language::English,
                   const QByteArray& input = {})
{
    std::vector<std::string> args;
    for (const QString& argument : arguments)
        args.push_back(argument.toStdString());
    std::istringstream in(input.toStdString());
    std::ostringstream out;
    std::ostringstream err;
    kbs::cli::Console console{in, out, err, language};
    const int status = kbs::cli::runKnobctl(args, console);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

} // namespace knobctl_run
