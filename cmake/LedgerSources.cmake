# The ledger core's sources, shared by the main build and the fuzz build (which configures
# fuzz/ on its own with clang).
set(KAVRO_LEDGER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/atomic_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/board_geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/booking_chain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/booking_list_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/booking_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/civil_time.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/cp932.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/day_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/day_purge.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/day_totals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/day_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/entry_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/file_identity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/journal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/journal_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/record_period.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/rollover.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/room_alerts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/room_grid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/selection_offer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/ledger/time_entry.cpp
)
