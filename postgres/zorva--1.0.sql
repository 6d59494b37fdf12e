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
