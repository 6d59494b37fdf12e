-- The SQLite extension's own behaviour, beyond the case table; the shell's
-- output is compared with tests/cases/sqlite_checks.expected.
-- The type by name, constant name (any case) or number; numbers as values of
-- zm_format convert as automation numbers do.
SELECT zm_raw('Currency', '', '$5.00'), zm_raw('TKMECURRENCY', '', '$5.00'), zm_raw(1, '', '$5.00');
SELECT zm_format('currency', '', 1234.5), zm_format('date', 'mm/dd/yyyy', 37256),
       zm_format('time', '', 0.5), zm_format('boolean', '', 1), zm_format('currency', '', '1234.5');
-- A large REAL reaches the number engine as "1E+23": the DLLs' answer for the same double.
SELECT zm_format('double', '0', 1e23), zm_format('double', '0', 1e300);
-- The type and mask change from row to row within one statement: what a
-- call site keeps for one mask must not answer for another.
WITH rows(n, type, mask, value) AS (VALUES
    (1, 'currency', '', '$1.50'), (2, 'currency', '#,##0', '$1.50'), (3, 'shortint', '#,##0', '$1.50'),
    (4, 'currency', '', '$1.50'), (5, 'text', '', '$1.50'), (6, 'currency', '#,##0', '$1.50'))
  SELECT zm_valid(type, mask, value), zm_raw(type, mask, value) FROM rows ORDER BY n;
-- A constant mask under a type that changes row by row.
WITH rows(n, type, value) AS (VALUES (1, 'currency', '$1'), (2, 'currency', '($2)'),
    (3, 'shortint', '$1.50'), (4, 'currency', 'x7'), (5, 'currency', '$1.50'), (6, 'currency', '$3'))
  SELECT zm_valid(type, '#,##0', value), zm_raw(type, '#,##0', value) FROM rows ORDER BY n;
-- A SQL NULL anywhere gives NULL.
SELECT zm_valid(NULL, '', '') IS NULL, zm_raw('text', NULL, 'x') IS NULL,
       zm_format('text', '', NULL) IS NULL, zm_valid('nonsense', '', NULL) IS NULL;
-- Bad arguments are errors that say what is wrong: the whole argument, past
-- a zero byte and forty bytes, escaped.
SELECT zm_valid('dollars', '', '1');
SELECT zm_raw(18, '', '1');
SELECT zm_raw('-1', '', '1');
SELECT zm_format(1.0, '', '1');
SELECT zm_valid('currency' || char(0) || 'x', '', '1');
SELECT zm_raw('a type name longer than forty bytes, it''s' || char(9) || 'quoted\', '', '1');
SELECT zm_raw('text', '');
SELECT zm_valid('text', '', '', '');
-- A CHECK constraint keeps valid rows and refuses the others; the schema
-- works with an untrusted schema (a new connection), which allows only
-- innocuous functions.
CREATE TABLE phones(phone TEXT CHECK (zm_valid('text', '(###) ###-####', phone)));
.open @DB@
.load @EXT@
PRAGMA trusted_schema = OFF;
INSERT INTO phones VALUES ('(555) 123-4567'), ('');
INSERT INTO phones VALUES ('555123456');
INSERT INTO phones VALUES ('(555) 123-4567'), ('(555) 12-4567');
SELECT group_concat(phone, '|') FROM phones;
-- Generated columns: the raw amount stored, the display computed; an index
-- on the raw value serves a lookup.
CREATE TABLE prices(entered TEXT,
  amount TEXT GENERATED ALWAYS AS (zm_raw('currency', '', entered)) STORED,
  shown TEXT AS (zm_format('currency', '', amount)));
INSERT INTO prices(entered) VALUES ('($1,234.50)'), ('$0.00'), (NULL);
CREATE INDEX prices_raw ON prices(zm_raw('currency', '#,##0.00', entered));
SELECT amount, shown FROM prices ORDER BY rowid;
SELECT entered FROM prices WHERE zm_raw('currency', '#,##0.00', entered) = '0.';
EXPLAIN QUERY PLAN SELECT entered FROM prices WHERE zm_raw('currency', '#,##0.00', entered) = '0.';
-- Loading the extension again while a statement runs cannot redefine its
-- functions: the load fails and says why.
SELECT load_extension('@EXT@');
