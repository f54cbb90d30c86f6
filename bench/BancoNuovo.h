// The bench modes --search, --decode and --records; -1 when the arguments ask
// for none of them.
#pragma once

namespace kenvaron::bench {

int BancoNuovo(int argc, char** argv);

}  // namespace kenvaron::bench
