// The hidapi stand-ins keep the contract the real library on the kernel's
// hidraw driver keeps (tests/real_libraries runs the same checks there).
#include "support/hid_contract.h"

#include <gtest/gtest.h>

#include "support/bus_fixture.h"

namespace {

using namespace test_support::hid_contract;

class HidContractTest : public test_support::BusFixture {};

TEST_F(HidContractTest, FaultsShowAsTheRealLibraryShowsThem) {
  for (const FaultCase& c : k_fault_cases) {
    SCOPED_TRACE(c.name);
    check_fault(c, *attach(std::make_shared<EchoModel>(c.faults)));
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

TEST_F(HidContractTest, ReportIdsAsTheHidrawDriverHandlesThem) {
  check_report_ids(*attach(std::make_shared<EchoModel>()));
  EXPECT_EQ(sim::open_handle_count(), 0);
}

}  // namespace
