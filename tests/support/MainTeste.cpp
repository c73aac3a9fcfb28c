// Every test program starts here: the C locale and the Brazilian regional defaults are pinned,
// so no result depends on the host.
#include "ConfiguracaoRegional.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <clocale>

namespace {

class TAmbienteFixo : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        RestauraRegionalPadrao();
        DefineRelogio({});
    }
};

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TAmbienteFixo);
    return RUN_ALL_TESTS();
}
