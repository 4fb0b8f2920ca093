#include "sales/sales_schema.h"

namespace kavro {

namespace {

// Version 1.
//
// sales            one row per confirmed 会計; receipt_no is the receipt's number,
//                  consecutive from 1 and never reused (a trigger refuses any other)
// sale_lines       the bill's named lines, written with their sale and only then
// voids            取消: at most one per sale, with the business date it happened on
// reprints         再発行 of a receipt
// intents          a step of the desk written before the day file is saved: 'settle'
//                  (精算 clicked, 会計 not yet confirmed) or 'void' (the settlement taken back)
// intent_outcomes  how an intent ended: confirmed (with its sale), voided, abandoned
//
// Dates are yyyy-mm-dd, times yyyy-mm-dd hh:mm:ss (local wall clock, no zone), money whole
// yen.
constexpr std::string_view kVersion1 = R"sql(
CREATE TABLE sales (
    receipt_no      INTEGER PRIMARY KEY CHECK (receipt_no > 0),
    business_date   TEXT NOT NULL CHECK (business_date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
    sold_at         TEXT NOT NULL CHECK (sold_at GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'),
    booking_date    TEXT NOT NULL CHECK (booking_date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
    booking_id      TEXT NOT NULL CHECK (length(booking_id) = 9 AND NOT booking_id GLOB '*[^0-9]*'),
    room            INTEGER NOT NULL CHECK (room BETWEEN 1 AND 34),
    minutes         INTEGER NOT NULL CHECK (minutes >= 0),
    people          INTEGER NOT NULL CHECK (people BETWEEN 1 AND 99),
    plan            TEXT NOT NULL CHECK (plan <> ''),
    line_count      INTEGER NOT NULL CHECK (line_count >= 1),
    subtotal        INTEGER NOT NULL CHECK (subtotal >= 0),
    discount_kind   TEXT NOT NULL CHECK (discount_kind IN ('none', 'fixed', 'percent')),
    discount_value  INTEGER NOT NULL,
    discount_amount INTEGER NOT NULL CHECK (discount_amount BETWEEN 0 AND subtotal),
    discount_reason TEXT NOT NULL,
    total           INTEGER NOT NULL CHECK (total = subtotal - discount_amount),
    tax_rate        INTEGER NOT NULL CHECK (tax_rate BETWEEN 0 AND 100),
    tax_included    INTEGER NOT NULL CHECK (tax_included BETWEEN 0 AND total),
    method          TEXT NOT NULL CHECK (method IN ('cash', 'credit', 'emoney', 'qr')),
    received        INTEGER NOT NULL,
    change_given    INTEGER NOT NULL CHECK (change_given >= 0 AND received - change_given = total),
    booking         TEXT GENERATED ALWAYS AS (substr(booking_id, 1, 7)) VIRTUAL
) STRICT;

-- The reports read a period's sales from this index alone.
CREATE INDEX sales_by_day ON sales (business_date, room, method, total, discount_amount, sold_at);
CREATE INDEX sales_by_booking ON sales (booking_date, booking);

CREATE TABLE sale_lines (
    receipt_no INTEGER NOT NULL REFERENCES sales (receipt_no),
    line_no    INTEGER NOT NULL CHECK (line_no >= 1),
    name       TEXT NOT NULL CHECK (name <> ''),
    amount     INTEGER NOT NULL,
    PRIMARY KEY (receipt_no, line_no)
) STRICT, WITHOUT ROWID;

CREATE TABLE voids (
    receipt_no    INTEGER PRIMARY KEY REFERENCES sales (receipt_no),
    business_date TEXT NOT NULL CHECK (business_date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
    voided_at     TEXT NOT NULL,
    reason        TEXT NOT NULL CHECK (reason <> '')
) STRICT;
CREATE INDEX voids_by_day ON voids (business_date);

CREATE TABLE reprints (
    id         INTEGER PRIMARY KEY,
    receipt_no INTEGER NOT NULL REFERENCES sales (receipt_no),
    printed_at TEXT NOT NULL
) STRICT;

CREATE TABLE intents (
    id           INTEGER PRIMARY KEY,
    kind         TEXT NOT NULL CHECK (kind IN ('settle', 'void')),
    booking_date TEXT NOT NULL,
    booking_id   TEXT NOT NULL CHECK (length(booking_id) = 9),
    room         INTEGER NOT NULL,
    receipt_no   INTEGER REFERENCES sales (receipt_no),
    reason       TEXT NOT NULL,
    opened_at    TEXT NOT NULL
) STRICT;
CREATE INDEX intents_by_booking ON intents (booking_date, booking_id);

CREATE TABLE intent_outcomes (
    intent      INTEGER PRIMARY KEY REFERENCES intents (id),
    outcome     TEXT NOT NULL CHECK (outcome IN ('confirmed', 'voided', 'abandoned')),
    receipt_no  INTEGER REFERENCES sales (receipt_no),
    resolved_at TEXT NOT NULL
) STRICT;

CREATE TRIGGER receipt_numbers_run_on BEFORE INSERT ON sales
WHEN NEW.receipt_no IS NOT (SELECT coalesce(max(receipt_no), 0) + 1 FROM sales)
  OR (NEW.receipt_no > 1
      AND (SELECT count(*) FROM sale_lines WHERE receipt_no = NEW.receipt_no - 1)
          <> (SELECT line_count FROM sales WHERE receipt_no = NEW.receipt_no - 1))
BEGIN SELECT RAISE(ABORT, 'receipt numbers are consecutive, each sale whole'); END;

CREATE TRIGGER lines_come_with_their_sale BEFORE INSERT ON sale_lines
WHEN NEW.receipt_no IS NOT (SELECT max(receipt_no) FROM sales)
  OR NEW.line_no <> (SELECT count(*) FROM sale_lines WHERE receipt_no = NEW.receipt_no) + 1
  OR NEW.line_no > (SELECT line_count FROM sales WHERE receipt_no = NEW.receipt_no)
  OR (NEW.line_no = (SELECT line_count FROM sales WHERE receipt_no = NEW.receipt_no)
      AND NEW.amount + (SELECT coalesce(sum(amount), 0) FROM sale_lines WHERE receipt_no = NEW.receipt_no)
          <> (SELECT subtotal FROM sales WHERE receipt_no = NEW.receipt_no))
BEGIN SELECT RAISE(ABORT, 'a sale''s lines are written with it and add up to its subtotal'); END;
CREATE TRIGGER sales_stay BEFORE UPDATE ON sales
BEGIN SELECT RAISE(ABORT, 'a sale is never changed'); END;
CREATE TRIGGER sales_kept BEFORE DELETE ON sales
BEGIN SELECT RAISE(ABORT, 'a sale is never deleted'); END;
CREATE TRIGGER sale_lines_stay BEFORE UPDATE ON sale_lines
BEGIN SELECT RAISE(ABORT, 'a sale is never changed'); END;
CREATE TRIGGER sale_lines_kept BEFORE DELETE ON sale_lines
BEGIN SELECT RAISE(ABORT, 'a sale is never deleted'); END;
CREATE TRIGGER voids_stay BEFORE UPDATE ON voids
BEGIN SELECT RAISE(ABORT, 'a void is never changed'); END;
CREATE TRIGGER voids_kept BEFORE DELETE ON voids
BEGIN SELECT RAISE(ABORT, 'a void is never deleted'); END;
CREATE TRIGGER reprints_stay BEFORE UPDATE ON reprints
BEGIN SELECT RAISE(ABORT, 'a reprint is never changed'); END;
CREATE TRIGGER reprints_kept BEFORE DELETE ON reprints
BEGIN SELECT RAISE(ABORT, 'a reprint is never deleted'); END;
CREATE TRIGGER intents_stay BEFORE UPDATE ON intents
BEGIN SELECT RAISE(ABORT, 'an intent is never changed'); END;
CREATE TRIGGER intents_kept BEFORE DELETE ON intents
BEGIN SELECT RAISE(ABORT, 'an intent is never deleted'); END;
CREATE TRIGGER intent_outcomes_stay BEFORE UPDATE ON intent_outcomes
BEGIN SELECT RAISE(ABORT, 'an outcome is never changed'); END;
CREATE TRIGGER intent_outcomes_kept BEFORE DELETE ON intent_outcomes
BEGIN SELECT RAISE(ABORT, 'an outcome is never deleted'); END;
)sql";

} // namespace

const std::vector<std::string_view>& salesMigrations() {
    static const std::vector<std::string_view> all{kVersion1};
    return all;
}

} // namespace kavro
