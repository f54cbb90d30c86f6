#include "ui/Form5.h"

#include "platform/System.h"
#include "ui/Form1.h"

namespace kenvaron {

Form5::Form5(Form1& principale)
    : principale_(principale),
      motore_(std::make_unique<Motore>(principale.condiviso(), OrologioDiSistema::Istanza(),
                                       ProfiloMotore::DiSfondo([] { plat::DoEvents(); },
                                                               [this] { principale_.FineProgramma(); }))),
      generatore_(std::make_unique<GeneratoreSfondo>(*motore_)) {}

Form5::~Form5() = default;

void Form5::Form_Load() { generatore_->Form_Load(); }

}  // namespace kenvaron
