// The real hidapi on the emulated hidraw nodes keeps the contract the vx_sim
// stand-ins are checked against (tests/sim/hid_contract_test.cpp).
#include "support/hid_contract.h"

#include <gtest/gtest.h>

#include "real_libraries/real_bus_fixture.h"

namespace {

using namespace test_support::hid_contract;

class HidContractOnRealLibrariesTest : public test_support::RealBusFixture {};

TEST_F(HidContractOnRealLibrariesTest, FaultsShowAsTheStandInsShowThem) {
  for (const FaultCase& c : k_fault_cases) {
    SCOPED_TRACE(c.name);
    check_fault(c, *attach(std::make_shared<EchoModel>(c.faults)));
    EXPECT_TRUE(handles_closed());
    sim::reset();
  }
}

TEST_F(HidContractOnRealLibrariesTest, ReportIdsAsTheHidrawDriverHandlesThem) {
  check_report_ids(*attach(std::make_shared<EchoModel>()));
  EXPECT_TRUE(handles_closed());
}

}  // namespace
