// The bench mode --pool-fill; -1 when the arguments don't ask for it.
#pragma once

namespace kenvaron::bench {

int BancoSfondo(int argc, char** argv);

}  // namespace kenvaron::bench
