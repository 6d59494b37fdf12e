-- A domain and a CHECK constraint refuse invalid values and keep the others.
CREATE DOMAIN us_phone AS text CHECK (zm_valid('text', '(###) ###-####', VALUE));
CREATE TABLE contacts (name text, phone us_phone);
INSERT INTO contacts VALUES ('Ann', '(555) 123-4567'), ('Cy', NULL);
INSERT INTO contacts VALUES ('Bob', '555123456');
SELECT '(555) 12-4567'::us_phone;
SELECT * FROM contacts ORDER BY name;

-- Immutable, so a generated column and an index may use them.
CREATE TABLE prices (
  entered text CHECK (zm_valid('currency', '', entered)),
  amount numeric GENERATED ALWAYS AS (NULLIF(zm_raw('currency', '', entered), '')::numeric) STORED
);
INSERT INTO prices VALUES ('($1,234.50)'), ('$0.99'), ('');
INSERT INTO prices VALUES ('$1,234.567');
CREATE INDEX prices_raw ON prices (zm_raw('currency', '', entered));
SELECT entered, amount, zm_format('currency', '#,##0.00;[#,##0.00]', amount::float8) AS shown
FROM prices ORDER BY amount;
