-- The masked-edit value service as SQL functions. The type is a name
-- ('currency', 'tkMECurrency', any case) or its number 0 to 17; an empty mask
-- selects the type's default mask.
\echo Use "CREATE EXTENSION zorva" to load this file. \quit

-- Is the entered value valid? Boolean, so that CHECK constraints and domains
-- take it as it is.
CREATE FUNCTION zm_valid(type text, mask text, value text) RETURNS boolean
  AS 'MODULE_PATHNAME', 'zm_valid_named' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_valid(type integer, mask text, value text) RETURNS boolean
  AS 'MODULE_PATHNAME', 'zm_valid_numbered' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;

-- The raw value behind an entered value: '($1,234.50)' is '-1234.5'.
CREATE FUNCTION zm_raw(type text, mask text, value text) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_raw_named' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_raw(type integer, mask text, value text) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_raw_numbered' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;

-- A raw value shown under the mask. Numbers and dates are first turned into
-- the type's raw text as automation values are: 1234.5 is '1234.5' for a
-- currency, a date is 'yyyy-mm-dd' for a date, a number is a day count.
CREATE FUNCTION zm_format(type text, mask text, value text) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value text) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type text, mask text, value bigint) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named_bigint' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value bigint) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered_bigint' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type text, mask text, value double precision) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named_double' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value double precision) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered_double' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
-- A numeric exactly, as a decimal: a money column loses no digit.
CREATE FUNCTION zm_format(type text, mask text, value numeric) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named_numeric' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value numeric) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered_numeric' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type text, mask text, value date) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named_date' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value date) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered_date' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type text, mask text, value timestamp) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_named_timestamp' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
CREATE FUNCTION zm_format(type integer, mask text, value timestamp) RETURNS text
  AS 'MODULE_PATHNAME', 'zm_format_numbered_timestamp' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;

-- What \df+ shows. The type is a name or a number, as above.
COMMENT ON FUNCTION zm_valid(text, text, text) IS
  'zm_valid(type, mask, value): is the entered value valid? type: ''currency'', ''date''... or 0 to 17; mask: '''' for the type''s default';
COMMENT ON FUNCTION zm_valid(integer, text, text) IS
  'zm_valid(type, mask, value): is the entered value valid? type: 0 to 17; mask: '''' for the type''s default';
COMMENT ON FUNCTION zm_raw(text, text, text) IS
  'zm_raw(type, mask, value): the raw value behind an entered value: ''($1,234.50)'' gives ''-1234.5''';
COMMENT ON FUNCTION zm_raw(integer, text, text) IS
  'zm_raw(type, mask, value): the raw value behind an entered value: ''($1,234.50)'' gives ''-1234.5''';
COMMENT ON FUNCTION zm_format(text, text, text) IS
  'zm_format(type, mask, value): a raw value shown under the mask: ''-1234.5'' gives ''($1,234.50)''';
COMMENT ON FUNCTION zm_format(integer, text, text) IS
  'zm_format(type, mask, value): a raw value shown under the mask: ''-1234.5'' gives ''($1,234.50)''';
COMMENT ON FUNCTION zm_format(text, text, bigint) IS
  'zm_format(type, mask, value): a whole number shown under the mask (a day count for the date types)';
COMMENT ON FUNCTION zm_format(integer, text, bigint) IS
  'zm_format(type, mask, value): a whole number shown under the mask (a day count for the date types)';
COMMENT ON FUNCTION zm_format(text, text, double precision) IS
  'zm_format(type, mask, value): a double shown under the mask, to 15 digits (a day count for the date types)';
COMMENT ON FUNCTION zm_format(integer, text, double precision) IS
  'zm_format(type, mask, value): a double shown under the mask, to 15 digits (a day count for the date types)';
COMMENT ON FUNCTION zm_format(text, text, numeric) IS
  'zm_format(type, mask, value): a numeric shown under the mask, exact to 29 digits (a day count for the date types)';
COMMENT ON FUNCTION zm_format(integer, text, numeric) IS
  'zm_format(type, mask, value): a numeric shown under the mask, exact to 29 digits (a day count for the date types)';
COMMENT ON FUNCTION zm_format(text, text, date) IS
  'zm_format(type, mask, value): a date shown under the mask';
COMMENT ON FUNCTION zm_format(integer, text, date) IS
  'zm_format(type, mask, value): a date shown under the mask';
COMMENT ON FUNCTION zm_format(text, text, timestamp) IS
  'zm_format(type, mask, value): a timestamp shown under the mask';
COMMENT ON FUNCTION zm_format(integer, text, timestamp) IS
  'zm_format(type, mask, value): a timestamp shown under the mask';
