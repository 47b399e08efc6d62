#pragma once
// The command-line options that describe a simulated source and the sweeps it gives: the
// source model with its parameters, and the counts, dark level, noise and seed of a sweep.
// Shared by every program that simulates, so the same words mean the same source everywhere.

#include <QCommandLineParser>
#include <memory>
#include <span>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"

namespace velor::sim {

// A valued option with its default, as the tools list theirs.
struct ValueOption {
    const char* name;
    const char* value;
    const char* help;
    const char* fallback;
};

// Adds `options`, each help text ending in its default and starting with `prefix`.
void AddValueOptions(QCommandLineParser& parser, std::span<const ValueOption> options,
                     const QString& prefix = QString());

// Adds the options, each with its default; `prefix` starts every help text (for instance
// "with --simulate: ").
void AddSourceOptions(QCommandLineParser& parser, const QString& prefix = QString());

// An option's value as a number; throws std::invalid_argument naming the option.
double NumberOption(const QCommandLineParser& parser, const char* name);

// The source the options describe (a single-mode fiber at 1310 nm unless told otherwise).
// Throws std::invalid_argument for an unknown model or a bad value.
std::unique_ptr<BeamModel> SourceFromOptions(const QCommandLineParser& parser);

// Counts on the beam axis, dark offset, noise and seed. Throws as above.
SweepSettings SweepFromOptions(const QCommandLineParser& parser);

}  // namespace velor::sim
