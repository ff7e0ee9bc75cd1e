CREATE DATABASE %DATABASE% TEMPLATE template0 ENCODING 'UTF8'
  LOCALE_PROVIDER icu ICU_LOCALE 'cs-CZ' LOCALE 'C.UTF-8'
GO
-- The creation script of the shop's database. Batches end at lines holding only
-- the word that separates them; the first batch runs on the server's maintenance
-- database (with the placeholder replaced by the quoted name), every later one
-- on the new database, each as one simple query (a batch may hold several
-- statements). An existing database of the same name is dropped by the caller
-- before the first batch. The role running the script becomes the owner and
-- needs CREATEDB and CREATEROLE. Names are written as the program knows them;
-- the server folds them to lower case.
--
-- Users of the database are login roles that are members of the group role
-- named like the database; the owner (who runs this script) is one of them.
DO $$
BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = current_database()) THEN
    EXECUTE format('CREATE ROLE %I NOLOGIN', current_database());
  END IF;
  EXECUTE format('GRANT %I TO %I', current_database(), current_user);
  -- Only the shop's own roles log in: its users through the group, the owner
  -- as owner. A user of another shop on the same server is refused at login.
  EXECUTE format('REVOKE CONNECT, TEMPORARY ON DATABASE %I FROM PUBLIC', current_database());
  EXECUTE format('GRANT CONNECT, TEMPORARY ON DATABASE %I TO %I', current_database(), current_database());
  -- The server would compile a statement to machine code once its estimate
  -- passes a threshold (the documents of a month or a year do): some 80 ms
  -- that a list of a few thousand rows never earns back.
  EXECUTE format('ALTER DATABASE %I SET jit = off', current_database());
  -- The owner sees every session in the logged-in users' list, where the
  -- server lets him grant himself that.
  -- Superusers see them anyway; two databases created at once by one owner
  -- may both grant it, and the later grant then finds it already given.
  IF NOT pg_has_role(current_user, 'pg_read_all_stats', 'USAGE') THEN
    BEGIN
      EXECUTE format('GRANT pg_read_all_stats TO %I', current_user);
    EXCEPTION WHEN insufficient_privilege OR invalid_grant_operation OR unique_violation THEN
      NULL;
    END;
  END IF;
END
$$
GO
-- Amounts and quantities are finite numbers: the tables refuse NaN and the
-- infinities (NaN sorts above every number, so a ">= 0" alone lets it in), and
-- the procedures refuse them first with their own error text.
CREATE FUNCTION func_KONTROLA_CISEL(p_chyba varchar, VARIADIC p_cisla numeric[]) RETURNS void
  LANGUAGE plpgsql IMMUTABLE
  AS $$
DECLARE
  v_cislo numeric;
BEGIN
  FOREACH v_cislo IN ARRAY p_cisla LOOP
    IF NOT (v_cislo > '-Infinity' AND v_cislo < 'Infinity') THEN
      RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = p_chyba,
        DETAIL = 'Částka nebo množství není konečné číslo.';
    END IF;
  END LOOP;
END
$$
GO
-- Quantities are single-precision reals; arithmetic on them goes through
-- numeric at four decimals, as the quantity that was typed: the shortest
-- decimal that reads back as the real (what the server's real-to-text gives
-- when extra_float_digits is above 0), rounded half away from zero at four
-- decimals. So a quantity of three decimals below 16384, or of four below
-- 1000, comes back as typed, whatever the session's float settings. Worked
-- out in doubles, where a real times 10^5 is exact:
-- - below 1024 a real's step is finer than the fourth decimal, so the real
--   rounded there is the typed decimal; only a shortest decimal that is a
--   half of the fourth place (fifth decimal 5) rounds up from it;
-- - below 16384 a step holds at most one decimal of three places: the typed
--   one when it reads back as the real, else the nearest of four places;
-- - up to 2^24 the fewest places that read back;
-- - above, where a real is a whole number, the fewest significant digits
--   whose decimal lies strictly inside the real's step (half a unit on
--   either side still reads back), as the server's real-to-text chooses.
-- Not strict and without subqueries, so the planner puts the expression in
-- place of the call.
CREATE FUNCTION func_MNOZSTVI_PRESNE(p_mnozstvi real) RETURNS numeric
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT CASE WHEN abs(p_mnozstvi) < 16777216::real THEN
      (sign(p_mnozstvi) * CASE WHEN abs(p_mnozstvi) < 1024::real THEN
           CASE WHEN abs(abs(p_mnozstvi)::float8 * 10000 - floor(abs(p_mnozstvi)::float8 * 10000 + 0.5)) > 0.45
                     AND (round(abs(p_mnozstvi)::float8 * 100000) / 100000)::real = abs(p_mnozstvi)
                     AND (round(abs(p_mnozstvi)::float8 * 10000) / 10000)::real <> abs(p_mnozstvi)
             THEN (round(abs(p_mnozstvi)::float8 * 100000) + 5) / 10
             ELSE floor(abs(p_mnozstvi)::float8 * 10000 + 0.5) END
         WHEN abs(p_mnozstvi) < 16384::real THEN
           CASE WHEN (round(abs(p_mnozstvi)::float8 * 1000) / 1000)::real = abs(p_mnozstvi)
             THEN round(abs(p_mnozstvi)::float8 * 1000) * 10
             ELSE round(abs(p_mnozstvi)::float8 * 10000) END
         WHEN round(abs(p_mnozstvi)::float8)::real = abs(p_mnozstvi) THEN round(abs(p_mnozstvi)::float8) * 10000
         WHEN (round(abs(p_mnozstvi)::float8 * 10) / 10)::real = abs(p_mnozstvi)
           THEN round(abs(p_mnozstvi)::float8 * 10) * 1000
         WHEN (round(abs(p_mnozstvi)::float8 * 100) / 100)::real = abs(p_mnozstvi)
           THEN round(abs(p_mnozstvi)::float8 * 100) * 100
         ELSE round(abs(p_mnozstvi)::float8 * 1000) * 10 END)::bigint * 0.0001
    WHEN NOT abs(p_mnozstvi) < 'Infinity'::real THEN round(p_mnozstvi::float8::numeric, 4)
    ELSE round(CASE
      WHEN (p_mnozstvi::numeric - 0.5)::real = p_mnozstvi
          AND (p_mnozstvi::numeric + 0.5)::real = p_mnozstvi
        THEN p_mnozstvi::numeric
      WHEN (round(p_mnozstvi::float8::numeric, 6 - floor(log(abs(p_mnozstvi)::float8))::integer) - 0.5)::real = p_mnozstvi
          AND (round(p_mnozstvi::float8::numeric, 6 - floor(log(abs(p_mnozstvi)::float8))::integer) + 0.5)::real = p_mnozstvi
        THEN round(p_mnozstvi::float8::numeric, 6 - floor(log(abs(p_mnozstvi)::float8))::integer)
      WHEN (round(p_mnozstvi::float8::numeric, 7 - floor(log(abs(p_mnozstvi)::float8))::integer) - 0.5)::real = p_mnozstvi
          AND (round(p_mnozstvi::float8::numeric, 7 - floor(log(abs(p_mnozstvi)::float8))::integer) + 0.5)::real = p_mnozstvi
        THEN round(p_mnozstvi::float8::numeric, 7 - floor(log(abs(p_mnozstvi)::float8))::integer)
      ELSE round(p_mnozstvi::float8::numeric, 8 - floor(log(abs(p_mnozstvi)::float8))::integer) END, 4) END $$
GO
-- The ranges of the columns that every sale and basket line writes are types
-- of their own: the server checks a type's rule from its compiled form, while
-- a table's checks are read from their stored text again at every statement.
-- A byte, a document number's width (1 to 8 digits), a warranty in months, a
-- percentage; an amount of money that is not negative, and any finite one; a
-- quantity that is not negative, and any finite one.
CREATE DOMAIN typ_TINYINT AS smallint CHECK (VALUE BETWEEN 0 AND 255);
CREATE DOMAIN typ_ZAROVNANI AS smallint CHECK (VALUE BETWEEN 1 AND 8);
CREATE DOMAIN typ_ZARUKA AS smallint CHECK (VALUE BETWEEN 0 AND 240);
CREATE DOMAIN typ_PROCENTO AS smallint CHECK (VALUE BETWEEN 0 AND 100);
CREATE DOMAIN typ_CENA AS numeric(19,4) CHECK (VALUE >= 0 AND VALUE < 'Infinity');
CREATE DOMAIN typ_CASTKA AS numeric(19,4) CHECK (VALUE > '-Infinity' AND VALUE < 'Infinity');
CREATE DOMAIN typ_MNOZSTVI AS real CHECK (VALUE >= 0 AND VALUE < 'Infinity');
CREATE DOMAIN typ_FLOAT2 AS real CHECK (VALUE > '-Infinity' AND VALUE < 'Infinity');
GO
CREATE TABLE tab_opravneni (
  ID_OPRAVNENI integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  POPIS varchar(64) NOT NULL
);
CREATE UNIQUE INDEX unique_POPIS ON tab_opravneni (lower(POPIS));
INSERT INTO tab_opravneni (ID_OPRAVNENI, POPIS) VALUES
  (1, '[001] Filtr - použít filtr'),
  (2, '[002] Filtr - přidat filtr'),
  (3, '[003] Filtr - editovat filtr'),
  (4, '[004] Filtr - odebrat filtr'),
  (5, '[005] SQL - spouštění SQL příkazů'),
  (6, '[006] Pokladna - stav a historie'),
  (7, '[007] Pokladna - výběry a vklady'),
  (8, '[008] Položky - zavedení nové položky'),
  (9, '[009] Položky - editace položky'),
  (10, '[010] Položky - editace označení položky'),
  (11, '[011] Položky - editace kódu položky'),
  (12, '[012] Položky - editace názvu položky'),
  (13, '[013] Položky - editace specifikace položky'),
  (14, '[014] Položky - editace záruky'),
  (15, '[015] Položky - editace dph položky'),
  (16, '[016] Položky - editace skladu položky'),
  (17, '[017] Položky - editace kategorie položky'),
  (18, '[018] Položky - editace dodavatele položky'),
  (19, '[019] Položky - editace nákupní ceny položky'),
  (20, '[020] Položky - editace prodejní ceny položky'),
  (21, '[021] Položky - editace slevy položky'),
  (22, '[022] Položky - editace množství položky'),
  (23, '[023] Položky - editace jednotky položky'),
  (24, '[024] Položky - editace minimální zásoby položky'),
  (25, '[025] Položky - editace minimum k prodeji položky'),
  (26, '[026] Položky - editace násobně položky'),
  (27, '[027] Položky - doplnění množství položky'),
  (28, '[028] Položky - odebrat položku'),
  (29, '[029] Položky - odebrat položku s nenulovým množstvím'),
  (30, '[030] Položky - import položky'),
  (31, '[031] Položky - tisk položky'),
  (32, '[032] Prodej - prodej za hotové'),
  (33, '[033] Prodej - prodej na fakturu/dodací list'),
  (34, '[034] Prodej - prodej na dodací list'),
  (35, '[035] Prodej - zadání slevy na položku'),
  (36, '[036] Prodej - zadání celkové slevy'),
  (37, '[037] Doklady - tisk účtenky za hotové'),
  (38, '[038] Doklady - tisk faktury - dodacího listu'),
  (39, '[039] Doklady - tisk storno dokladu'),
  (40, '[040] Doklady - storno dokladu'),
  (41, '[041] Doklady - tisk přehledu dokladů'),
  (42, '[042] Doklady - statistiky'),
  (43, '[043] Obchod'),
  (44, '[044] Tiskové sestavy - editovat sestavu'),
  (45, '[045] Tiskové sestavy - upravovat tiskovou sestavu'),
  (46, '[046] Označení dokladů - editovat označení dokladů'),
  (47, '[047] DPH - nastavit výchozí'),
  (48, '[048] DPH - editovat DPH'),
  (49, '[049] Jednotky - nastavit výchozí'),
  (50, '[050] Jednotky - nastavit násobně'),
  (51, '[051] Jednotky - přidat jednotku'),
  (52, '[052] Jednotky - editovat jednotku'),
  (53, '[053] Jednotky - odebrat jednotku'),
  (54, '[054] Sklady - vybrat sklad'),
  (55, '[055] Sklady - nastavit výchozí'),
  (56, '[056] Sklady - přidat sklad'),
  (57, '[057] Sklady - editovat sklad'),
  (58, '[058] Sklady - odebrat sklad'),
  (59, '[059] Kategorie - nastavit výchozí'),
  (60, '[060] Kategorie - kopírovat nebo přesunout kategorii'),
  (61, '[061] Kategorie - přidat kategorii'),
  (62, '[062] Kategorie - editovat kategorii'),
  (63, '[063] Kategorie - přejmenovat kategorii'),
  (64, '[064] Kategorie - odebrat kategorii'),
  (65, '[065] Kontakty - nastavit výchozího dodavatele'),
  (66, '[066] Kontakty - nastavit výchozího odběratele'),
  (67, '[067] Kontakty - přidat kontakt'),
  (68, '[068] Kontakty - editovat kontakt'),
  (69, '[069] Kontakty - odebrat kontakt'),
  (70, '[070] Databáze - zálohování'),
  (71, '[071] Databáze - údržba');
SELECT setval(pg_get_serial_sequence('tab_opravneni', 'id_opravneni'), 71);
GO
-- Rights of each user, keyed by the user's role oid. The owner holds all.
CREATE TABLE tab_uzivatel_opravneni (
  ID_UZIVATEL integer NOT NULL,
  ID_OPRAVNENI integer NOT NULL REFERENCES tab_opravneni (ID_OPRAVNENI),
  STATE_OPRAVNENI boolean DEFAULT true,
  PRIMARY KEY (ID_UZIVATEL, ID_OPRAVNENI)
);
INSERT INTO tab_uzivatel_opravneni (ID_UZIVATEL, ID_OPRAVNENI, STATE_OPRAVNENI)
  SELECT d.datdba::integer, o.ID_OPRAVNENI, true
  FROM pg_database d CROSS JOIN tab_opravneni o
  WHERE d.datname = current_database()
  ORDER BY o.ID_OPRAVNENI;
CREATE INDEX index_ID_OPRAVNENI ON tab_uzivatel_opravneni (ID_OPRAVNENI);
GO
CREATE TABLE tab_sestava (
  ID_SESTAVA integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  SESTAVA varchar(64) NOT NULL,
  SOUBOR varchar(256) NOT NULL
);
CREATE UNIQUE INDEX unique_SESTAVA ON tab_sestava (lower(SESTAVA));
INSERT INTO tab_sestava (ID_SESTAVA, SESTAVA, SOUBOR) VALUES
  (1, 'Účtenka A5', 'Uctenka_A5.vlf'),
  (2, 'Účtenka A4', 'Uctenka_A4.vlf'),
  (3, 'Účtenka Svitek', 'Uctenka_Svitek.vlf'),
  (4, 'Fakrura A4', 'Faktura_A4.vlf'),
  (5, 'Dodací List A4', 'Dodaci_List_A4.vlf'),
  (6, 'Storno A4', 'Storno_A4.vlf'),
  (7, 'Přehled položky A4', 'Prehled_Polozky_A4.vlf'),
  (8, 'Přehled dokladů A4', 'Prehled_Dokladu_A4.vlf'),
  (9, 'Příjmový doklad A4', 'Prijmovy_Doklad_A4.vlf');
SELECT setval(pg_get_serial_sequence('tab_sestava', 'id_sestava'), 9);
GO
CREATE TABLE tab_pokladna (
  ID_POKLADNA integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_OPERACE typ_TINYINT NOT NULL,
  TIME_POKLADNA timestamp(3) DEFAULT localtimestamp,
  DOKLAD_NETISTENY varchar(32) NOT NULL,
  DOKLAD_VYTISTENY varchar(32) NOT NULL,
  UZIVATEL varchar(128) NOT NULL,
  POHYB typ_CASTKA NOT NULL,
  STAV typ_CASTKA NOT NULL
);
-- The cash history's default order (by the time to the second, then the key).
CREATE INDEX tab_pokladna_CAS ON tab_pokladna (date_trunc('second', TIME_POKLADNA), ID_POKLADNA);
GO
CREATE TABLE tab_oznaceni_doklad (
  ID_OZNACENI_DOKLAD integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  OZNACENI_DOKLAD varchar(16) NOT NULL,
  OZNACENI_ROK boolean NOT NULL DEFAULT true,
  OZNACENI_MESIC boolean NOT NULL DEFAULT true,
  OZNACENI_DEN boolean NOT NULL DEFAULT true,
  OZNACENI_ODDELOVAC varchar(1) NOT NULL DEFAULT '_',
  PORADI_DOKLAD_NETISTENY integer NOT NULL DEFAULT 1,
  PORADI_DOKLAD_VYTISTENY integer NOT NULL DEFAULT 1,
  PORADI_ZAROVNANI typ_ZAROVNANI NOT NULL DEFAULT 4
);
INSERT INTO tab_oznaceni_doklad (ID_OZNACENI_DOKLAD, OZNACENI_DOKLAD, OZNACENI_ODDELOVAC) VALUES
  (1, 'UCT', ''),
  (2, 'FAK', ''),
  (3, 'DOD', '');
SELECT setval(pg_get_serial_sequence('tab_oznaceni_doklad', 'id_oznaceni_doklad'), 3);
GO
CREATE TABLE tab_dph (
  ID_DPH integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  STATE_VYCHOZI boolean NOT NULL DEFAULT false,
  DPH real NOT NULL UNIQUE CHECK (DPH BETWEEN 0 AND 100)
);
INSERT INTO tab_dph (ID_DPH, STATE_VYCHOZI, DPH) VALUES
  (1, false, 0),
  (2, false, 10),
  (3, true, 20);
SELECT setval(pg_get_serial_sequence('tab_dph', 'id_dph'), 3);
GO
-- Week number within the year: week 1 holds 1 January and weeks begin on
-- Monday (not the ISO week). The saved "this week" filters compare it.
CREATE FUNCTION func_TYDEN(p_cas timestamp) RETURNS integer
  LANGUAGE sql IMMUTABLE STRICT
  AS $$
    SELECT ((extract(doy FROM p_cas)::integer - 1
             + extract(isodow FROM date_trunc('year', p_cas))::integer - 1) / 7) + 1
  $$
GO
CREATE TABLE tab_filtr (
  ID_FILTR integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  FILTR varchar(128) NOT NULL,
  SCRIPT varchar(2048) NOT NULL
);
CREATE UNIQUE INDEX unique_FILTR ON tab_filtr (lower(FILTR));
-- The conditions below name their date tests TODAY, WEEK, MONTH, YEAR and
-- PERIOD (a sample period the user edits); the replacements spell them out,
-- without "::" casts, which the program's parameter markers could mistake.
INSERT INTO tab_filtr (ID_FILTR, FILTR, SCRIPT)
  SELECT f.id, f.filtr, replace(replace(replace(replace(replace(f.script,
           'TODAY', 'date_trunc(''day'',tab_historie.TIME)=date_trunc(''day'',LOCALTIMESTAMP)'),
           'WEEK', 'func_TYDEN(tab_historie.TIME)=func_TYDEN(LOCALTIMESTAMP) AND date_trunc(''year'',tab_historie.TIME)=date_trunc(''year'',LOCALTIMESTAMP)'),
           'MONTH', 'date_trunc(''month'',tab_historie.TIME)=date_trunc(''month'',LOCALTIMESTAMP)'),
           'YEAR', 'date_trunc(''year'',tab_historie.TIME)=date_trunc(''year'',LOCALTIMESTAMP)'),
           'PERIOD', 'tab_historie.TIME BETWEEN ''2009-01-01 00:00:00'' AND ''2009-12-31 23:59:59''')
  FROM (VALUES
    (1, '[Žádný filtr]', '1=1'),
    (2, 'Změna položek - dnešní den', '(tab_historie.ID_OPERACE BETWEEN 7 AND 10) AND TODAY'),
    (3, 'Změna položek - tento týden', '(tab_historie.ID_OPERACE BETWEEN 7 AND 10) AND WEEK'),
    (4, 'Změna položek - tento měsíc', '(tab_historie.ID_OPERACE BETWEEN 7 AND 10) AND MONTH'),
    (5, 'Změna položek - tento rok', '(tab_historie.ID_OPERACE BETWEEN 7 AND 10) AND YEAR'),
    (6, 'Prodej/Storno - dnešní den', '(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND TODAY'),
    (7, 'Prodej/Storno - tento týden', '(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND WEEK'),
    (8, 'Prodej/Storno - tento měsíc', '(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND MONTH'),
    (9, 'Prodej/Storno - tento rok', '(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND YEAR'),
    (10, 'Prodej/Storno - období od X do Y', '(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND PERIOD'),
    (11, 'Doklady - Všechny účtenky za hotové', 'tab_historie.ID_OPERACE=1'),
    (12, 'Doklady - Vytištěné účtenky za hotové', 'tab_historie.DOKLAD_VYTISTENY<>''-'''),
    (13, 'Doklady - Vytištěné účtenky za hotové - období od X do Y', 'tab_historie.DOKLAD_VYTISTENY<>''-'' AND PERIOD'),
    (14, 'Doklady - Netištěné účtenky za hotové', 'tab_historie.DOKLAD_VYTISTENY=''-'''),
    (15, 'Doklady - Netištěné účtenky za hotové - období od X do Y', 'tab_historie.DOKLAD_VYTISTENY=''-'' AND PERIOD'),
    (16, 'Doklady - Všechny faktury/dodací listy', 'tab_historie.ID_OPERACE=2'),
    (17, 'Doklady - Všechny dodací listy', 'tab_historie.ID_OPERACE=3'),
    (18, 'Doklady - Všechny vystornované doklady', 'tab_historie.STATE_STAV=false'),
    (19, 'Doklady - Všechny storno doklady', 'tab_historie.ID_OPERACE BETWEEN 4 AND 6'),
    (20, 'Doklady - Storno doklady účtenek za hotové', 'tab_historie.ID_OPERACE=4'),
    (21, 'Doklady - Storno faktury/dodacího listu', 'tab_historie.ID_OPERACE=5'),
    (22, 'Doklady - Storno dodacího listu', 'tab_historie.ID_OPERACE=6')
  ) AS f (id, filtr, script)
  ORDER BY f.id;
SELECT setval(pg_get_serial_sequence('tab_filtr', 'id_filtr'), 22);
GO
CREATE TABLE tab_sklad (
  ID_SKLAD integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_KATEGORIE integer NOT NULL,
  STATE_VYCHOZI boolean NOT NULL DEFAULT false,
  SKLAD varchar(32) NOT NULL
);
CREATE UNIQUE INDEX unique_SKLAD ON tab_sklad (lower(SKLAD));
INSERT INTO tab_sklad (ID_SKLAD, ID_KATEGORIE, STATE_VYCHOZI, SKLAD) VALUES
  (1, 1, true, 'Sklad-01');
SELECT setval(pg_get_serial_sequence('tab_sklad', 'id_sklad'), 1);
GO
CREATE TABLE tab_kontakt (
  ID_KONTAKT integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  STATE_DODAVATEL boolean NOT NULL DEFAULT false,
  STATE_ODBERATEL boolean NOT NULL DEFAULT false,
  KONTAKT varchar(64) NOT NULL,
  IC varchar(8) NOT NULL,
  DIC varchar(12) NOT NULL,
  ADRESA varchar(128) NOT NULL,
  TELEFON varchar(128) NOT NULL,
  MOBIL varchar(128) NOT NULL,
  EMAIL varchar(128) NOT NULL,
  WWW varchar(128) NOT NULL,
  OSOBA varchar(256) NOT NULL,
  POZNAMKA varchar(256) NOT NULL
);
CREATE UNIQUE INDEX unique_KONTAKT ON tab_kontakt (lower(KONTAKT));
INSERT INTO tab_kontakt (ID_KONTAKT, STATE_DODAVATEL, STATE_ODBERATEL, KONTAKT,
    IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW, OSOBA, POZNAMKA) VALUES
  (1, true, true, '-', '-', '-', '-', '-', '-', '-', '-', '-', '-');
SELECT setval(pg_get_serial_sequence('tab_kontakt', 'id_kontakt'), 1);
GO
CREATE TABLE tab_kategorie (
  ID_KATEGORIE integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_NADKATEGORIE integer NULL REFERENCES tab_kategorie (ID_KATEGORIE),
  STATE_VYCHOZI boolean NOT NULL DEFAULT false,
  KATEGORIE varchar(64) NOT NULL,
  SPECIFIKACE varchar(128) NOT NULL
);
INSERT INTO tab_kategorie (ID_KATEGORIE, ID_NADKATEGORIE, STATE_VYCHOZI, KATEGORIE, SPECIFIKACE) VALUES
  (1, NULL, true, '?', '-');
SELECT setval(pg_get_serial_sequence('tab_kategorie', 'id_kategorie'), 1);
ALTER TABLE tab_kategorie ADD CONSTRAINT cycle CHECK (ID_KATEGORIE <> ID_NADKATEGORIE);
-- Children of a category, also by name as a path of names is walked.
CREATE INDEX index_ID_NADKATEGORIE ON tab_kategorie (ID_NADKATEGORIE, lower(KATEGORIE));
-- The tree has one root...
CREATE UNIQUE INDEX unique_KOREN ON tab_kategorie ((true)) WHERE ID_NADKATEGORIE IS NULL;
GO
-- ... and no cycles: a category never moves below itself. Changes of the tree
-- are made one at a time (the same lock as the tree procedures take), so two
-- sessions cannot build a cycle between them.
CREATE FUNCTION tab_kategorie_func_BEZ_CYKLU() RETURNS trigger
  LANGUAGE plpgsql
  AS $$
BEGIN
  LOCK TABLE tab_kategorie IN SHARE ROW EXCLUSIVE MODE;
  IF EXISTS (WITH RECURSIVE nad(id) AS (
               SELECT NEW.ID_NADKATEGORIE
               UNION
               SELECT k.ID_NADKATEGORIE FROM tab_kategorie k JOIN nad ON k.ID_KATEGORIE = nad.id
               WHERE k.ID_NADKATEGORIE IS NOT NULL)
             SELECT 1 FROM nad WHERE id = NEW.ID_KATEGORIE) THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Přesunutí kategorie neproběhlo...',
      DETAIL = 'Kategorie nemůže být pod sebou samou.';
  END IF;
  RETURN NEW;
END
$$
GO
CREATE TRIGGER trigger_BEZ_CYKLU BEFORE UPDATE OF ID_NADKATEGORIE ON tab_kategorie
  FOR EACH ROW WHEN (NEW.ID_NADKATEGORIE IS DISTINCT FROM OLD.ID_NADKATEGORIE)
  EXECUTE FUNCTION tab_kategorie_func_BEZ_CYKLU();
GO
CREATE TABLE tab_jednotka (
  ID_JEDNOTKA integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  STATE_VYCHOZI boolean NOT NULL DEFAULT false,
  JEDNOTKA varchar(16) NOT NULL,
  SPECIFIKACE varchar(32) NOT NULL,
  MINIMUM real NOT NULL CHECK (MINIMUM >= 0 AND MINIMUM < 'Infinity'),
  NASOBNE boolean NOT NULL DEFAULT true
);
CREATE UNIQUE INDEX unique_JEDNOTKA ON tab_jednotka (lower(JEDNOTKA));
INSERT INTO tab_jednotka (ID_JEDNOTKA, STATE_VYCHOZI, JEDNOTKA, SPECIFIKACE, MINIMUM, NASOBNE) VALUES
  (1, false, '-', '-', 1, true),
  (2, true, 'ks', 'kus', 1, true),
  (3, false, 'h', 'hodina', 1, true),
  (4, false, 'm', 'metr', 0.1, false),
  (5, false, 'l', 'litr', 0.02, false),
  (6, false, 'kg', 'kilogram', 0.001, false);
SELECT setval(pg_get_serial_sequence('tab_jednotka', 'id_jednotka'), 6);
GO
CREATE TABLE tab_polozka (
  ID_POLOZKA integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_SKLAD integer NOT NULL REFERENCES tab_sklad (ID_SKLAD),
  ID_KATEGORIE integer NOT NULL REFERENCES tab_kategorie (ID_KATEGORIE),
  ID_DODAVATEL integer NOT NULL REFERENCES tab_kontakt (ID_KONTAKT),
  ID_DPH integer NOT NULL REFERENCES tab_dph (ID_DPH),
  ID_JEDNOTKA integer NOT NULL REFERENCES tab_jednotka (ID_JEDNOTKA),
  PATH_ID_KATEGORIE varchar(256) NOT NULL,
  STATE_PLATNOST boolean NOT NULL DEFAULT true,
  OZNACENI varchar(16) NOT NULL,
  KOD varchar(16) NOT NULL,
  POLOZKA varchar(64) NOT NULL,
  SPECIFIKACE varchar(128) NOT NULL,
  ZARUKA typ_ZARUKA NOT NULL,
  NAKUP typ_CENA NOT NULL,
  PRODEJ typ_CENA NOT NULL,
  SLEVA typ_PROCENTO NOT NULL,
  MNOZSTVI typ_MNOZSTVI NOT NULL,
  ZASOBA typ_MNOZSTVI NOT NULL,
  MINIMUM typ_MNOZSTVI NOT NULL,
  NASOBNE boolean NOT NULL
) WITH (fillfactor = 80); -- room on each page for a sale's new stock figure beside the old
-- A category's subtree is a prefix of the path; the database's collation
-- orders text for people, so the prefix search needs the character order.
CREATE INDEX index_ID_SKLAD ON tab_polozka (ID_SKLAD, PATH_ID_KATEGORIE varchar_pattern_ops);
CREATE INDEX index_ID_KATEGORIE ON tab_polozka (ID_KATEGORIE);
-- Label and code as the item card and the import test them: among the valid
-- items of a store, without regard to case. Not unique: with its setting off
-- the item card takes a label or code that another item has.
CREATE INDEX index_OZNACENI ON tab_polozka (ID_SKLAD, lower(OZNACENI)) WHERE STATE_PLATNOST;
CREATE INDEX index_KOD ON tab_polozka (ID_SKLAD, lower(KOD)) WHERE STATE_PLATNOST;
-- Names are looked up over all stores and in one store; the store is in the
-- index too, so the test in a store never takes an index of the store's
-- labels or codes and reads all its items (the planner may, while a growing
-- table's statistics still show it small).
CREATE INDEX index_POLOZKA ON tab_polozka (lower(POLOZKA), ID_SKLAD);
-- Numeric labels in order of their numbers, for the smallest free one; the
-- label itself is in the index too, so the walk reads the index alone.
CREATE INDEX index_OZNACENI_CISLO ON tab_polozka (ID_SKLAD, (OZNACENI::bigint)) INCLUDE (OZNACENI)
  WHERE STATE_PLATNOST AND OZNACENI ~ '^[0-9]{1,18}$';
GO
-- A text as the searches compare it, without regard to case: each character
-- folded exactly as the program folds it (Qt's case folding, one character
-- for one), so that the server finds what the program's own test finds. The
-- database's lower() agrees with it on all but the characters of the class
-- below: µ, ſ, final ς, the Greek symbol forms, Cherokee, İ and a few others,
-- and a capital sigma (lowered by its place in the word); a text holding one of
-- them is lowered with İ and the byte order mark kept aside (lower() makes two
-- characters of the one and drops the other) and then mapped to the fold.
-- Generated from Qt's fold table against the server's lower(); the database
-- tests compare it with the program's fold over every character.
CREATE FUNCTION func_HLEDANY_TEXT(p_text text) RETURNS text
  LANGUAGE sql IMMUTABLE PARALLEL SAFE
  AS $$ SELECT CASE
    WHEN octet_length(p_text) = length(p_text) THEN lower(p_text COLLATE "C")
    WHEN p_text !~ '[ΣµİſͅςϐϑϕϖϰϱϵᎠᎡᎢᎣᎤᎥᎦᎧᎨᎩᎪᎫᎬᎭᎮᎯᎰᎱᎲᎳᎴᎵᎶᎷᎸᎹᎺᎻᎼᎽᎾᎿᏀᏁᏂᏃᏄᏅᏆᏇᏈᏉᏊᏋᏌᏍᏎᏏᏐᏑᏒᏓᏔᏕᏖᏗᏘᏙᏚᏛᏜᏝᏞᏟᏠᏡᏢᏣᏤᏥᏦᏧᏨᏩᏪᏫᏬᏭᏮᏯᏰᏱᏲᏳᏴᏵᏸᏹᏺᏻᏼᏽᲀᲁᲂᲃᲄᲅᲆᲇᲈẛιꭰꭱꭲꭳꭴꭵꭶꭷꭸꭹꭺꭻꭼꭽꭾꭿꮀꮁꮂꮃꮄꮅꮆꮇꮈꮉꮊꮋꮌꮍꮎꮏꮐꮑꮒꮓꮔꮕꮖꮗꮘꮙꮚꮛꮜꮝꮞꮟꮠꮡꮢꮣꮤꮥꮦꮧꮨꮩꮪꮫꮬꮭꮮꮯꮰꮱꮲꮳꮴꮵꮶꮷꮸꮹꮺꮻꮼꮽꮾꮿ]' THEN lower(p_text)
    ELSE translate(lower(translate(p_text, 'İ﻿', '﷐﷑')),
      'µſͅςϐϑϕϖϰϱϵᏸᏹᏺᏻᏼᏽᲀᲁᲂᲃᲄᲅᲆᲇᲈẛιꭰꭱꭲꭳꭴꭵꭶꭷꭸꭹꭺꭻꭼꭽꭾꭿꮀꮁꮂꮃꮄꮅꮆꮇꮈꮉꮊꮋꮌꮍꮎꮏꮐꮑꮒꮓꮔꮕꮖꮗꮘꮙꮚꮛꮜꮝꮞꮟꮠꮡꮢꮣꮤꮥꮦꮧꮨꮩꮪꮫꮬꮭꮮꮯꮰꮱꮲꮳꮴꮵꮶꮷꮸꮹꮺꮻꮼꮽꮾꮿ﷐﷑',
      'μsισβθφπκρεᏰᏱᏲᏳᏴᏵвдосттъѣꙋṡιᎠᎡᎢᎣᎤᎥᎦᎧᎨᎩᎪᎫᎬᎭᎮᎯᎰᎱᎲᎳᎴᎵᎶᎷᎸᎹᎺᎻᎼᎽᎾᎿᏀᏁᏂᏃᏄᏅᏆᏇᏈᏉᏊᏋᏌᏍᏎᏏᏐᏑᏒᏓᏔᏕᏖᏗᏘᏙᏚᏛᏜᏝᏞᏟᏠᏡᏢᏣᏤᏥᏦᏧᏨᏩᏪᏫᏬᏭᏮᏯİ﻿') END $$;
GO
-- The item and history searches look for a text anywhere in a valid item's
-- label, code, name or description and in a history line's texts: the
-- server's trigram extension (trusted, so the owner may add it) finds the few
-- rows that may hold it without reading them all. It is kept in a schema of
-- its own, out of the grants of the shop's functions. Where the server lacks
-- it (not installed: undefined_file or feature_not_supported, by the server's
-- version; or not allowed), the searches answer the same, reading every row.
DO $$
BEGIN
  CREATE SCHEMA IF NOT EXISTS rozsireni;
  CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA rozsireni;
EXCEPTION WHEN undefined_file OR feature_not_supported OR insufficient_privilege THEN
  RAISE NOTICE 'Bez rozšíření pg_trgm: %', SQLERRM;
END
$$;
GO
-- What the smallest free label has found, so that the next proposal does not
-- walk a long run of numbers again: every number of a store below OD was the
-- label of a valid item when it was written. A label given up since (the item
-- removed, invalidated, relabelled or moved to another store) is noted in
-- tab_oznaceni_uvolnene by its own statement: noting it takes no lock another
-- till could wait for, and the next proposal starts from the lowest noted.
-- Kept out of the public schema: these are not the shop's tables.
CREATE SCHEMA interni;
CREATE TABLE interni.tab_oznaceni_od (
  ID_SKLAD integer PRIMARY KEY,
  OD bigint NOT NULL
);
CREATE TABLE interni.tab_oznaceni_uvolnene (
  ID_UVOLNENE bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  ID_SKLAD integer NOT NULL,
  CISLO bigint NOT NULL
);
CREATE FUNCTION tab_polozka_func_OZNACENI_UVOLNENO() RETURNS trigger
  LANGUAGE plpgsql
  AS $$
BEGIN
  IF OLD.STATE_PLATNOST AND OLD.OZNACENI ~ '^[0-9]{1,18}$' THEN
    INSERT INTO interni.tab_oznaceni_uvolnene (ID_SKLAD, CISLO) VALUES (OLD.ID_SKLAD, OLD.OZNACENI::bigint);
  END IF;
  RETURN NULL;
END
$$;
CREATE TRIGGER trigger_OZNACENI_UVOLNENO AFTER UPDATE OF OZNACENI, STATE_PLATNOST, ID_SKLAD ON tab_polozka
  FOR EACH ROW WHEN (OLD.STATE_PLATNOST AND (NOT NEW.STATE_PLATNOST OR OLD.OZNACENI IS DISTINCT FROM NEW.OZNACENI
                                              OR OLD.ID_SKLAD IS DISTINCT FROM NEW.ID_SKLAD))
  EXECUTE FUNCTION tab_polozka_func_OZNACENI_UVOLNENO();
CREATE TRIGGER trigger_OZNACENI_ODEBRANO AFTER DELETE ON tab_polozka
  FOR EACH ROW WHEN (OLD.STATE_PLATNOST) EXECUTE FUNCTION tab_polozka_func_OZNACENI_UVOLNENO();
GO
-- The basket. A row belongs to the session that put it in: the server process
-- id and the time (never earlier than the session's start) tell a live
-- session's rows from those left by an ended session whose id was reused.
-- The table is not written to the server's log: a basket line commits without
-- waiting for the disk, and after a server crash, which ends every session,
-- the table starts empty, as every row in it would belong to an ended session.
CREATE UNLOGGED TABLE tab_prodej (
  ID_PRODEJ integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_PROCESS integer NOT NULL DEFAULT pg_backend_pid(),
  ID_POLOZKA integer NOT NULL,
  SLEVA typ_TINYINT NOT NULL,
  MNOZSTVI typ_FLOAT2 NOT NULL,
  ZALOZENO timestamptz NOT NULL DEFAULT now()
);
-- One row per item in a session's basket: a line added again changes its row.
-- The one index of the sessions: a line is always found by both its keys
-- (never among the whole basket), and the purge of ended sessions reads the
-- rows' times from the index alone.
CREATE UNIQUE INDEX index_ID_PROCESS ON tab_prodej (ID_PROCESS, ID_POLOZKA) INCLUDE (ZALOZENO);
-- The lines of an item in every basket, for the item's leaving the catalogue.
CREATE INDEX index_PRODEJ_ID_POLOZKA ON tab_prodej (ID_POLOZKA);
GO
-- An item that leaves the catalogue (deleted by whatever statement, or kept
-- as removed because documents name it) leaves every basket with it: no
-- basket holds a line of an item that is not there to be sold. Each session
-- that lost lines so hears it on its own channel ("tarmil_kosik_" and its
-- process id) when the change commits, and its till says which lines went.
-- A till adding a line meanwhile (tab_prodej_PRIDAT_EDITOVAT) is refused
-- once the removal commits.
CREATE FUNCTION tab_prodej_func_ODEBRAT_POLOZKY(p_polozky integer[]) RETURNS void
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_pid integer;
BEGIN
  FOR v_pid IN
    WITH k AS (DELETE FROM tab_prodej WHERE ID_POLOZKA = ANY (p_polozky) RETURNING ID_PROCESS)
    SELECT DISTINCT ID_PROCESS FROM k
  LOOP
    PERFORM pg_notify('tarmil_kosik_' || v_pid, '');
  END LOOP;
END
$$;
CREATE FUNCTION tab_polozka_func_Z_KOSIKU() RETURNS trigger
  LANGUAGE plpgsql
  AS $$
BEGIN
  IF TG_LEVEL = 'ROW' THEN
    PERFORM tab_prodej_func_ODEBRAT_POLOZKY(ARRAY[OLD.ID_POLOZKA]);
  ELSE
    PERFORM tab_prodej_func_ODEBRAT_POLOZKY(ARRAY(SELECT ID_POLOZKA FROM odebrane));
  END IF;
  RETURN NULL;
END
$$;
-- Deletions once per statement (an import's removal deletes a whole store);
-- an item made invalid row by row, as the trigger's condition picks them out
-- of every update (a sale's stock update passes it at no cost), unless the
-- statement took the lines out itself (tab_polozka_ODEBRAT_POLOZKY).
CREATE TRIGGER trigger_KOSIK_SMAZANO AFTER DELETE ON tab_polozka REFERENCING OLD TABLE AS odebrane
  FOR EACH STATEMENT EXECUTE FUNCTION tab_polozka_func_Z_KOSIKU();
CREATE TRIGGER trigger_KOSIK_NEPLATNE AFTER UPDATE OF STATE_PLATNOST ON tab_polozka
  FOR EACH ROW WHEN (OLD.STATE_PLATNOST AND NOT NEW.STATE_PLATNOST
                     AND current_setting('tarmil.kosik_odebran', true) IS DISTINCT FROM 'ano')
  EXECUTE FUNCTION tab_polozka_func_Z_KOSIKU();
GO
CREATE TABLE tab_doklad (
  ID_DOKLAD integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  TIME timestamp(3) DEFAULT localtimestamp,
  SLEVA typ_PROCENTO NOT NULL
);
GO
CREATE TABLE tab_historie (
  ID_HISTORIE integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
  ID_DOKLAD integer NOT NULL,
  ID_POLOZKA integer NOT NULL,
  ID_OPERACE typ_TINYINT NOT NULL,
  ID_SKLAD integer NOT NULL,
  ID_KATEGORIE integer NOT NULL,
  ID_DODAVATEL integer NOT NULL,
  ID_ODBERATEL integer NOT NULL,
  ID_DPH integer NOT NULL,
  ID_JEDNOTKA integer NOT NULL,
  REF_ID_DOKLAD integer NOT NULL,
  TIME timestamp(3) NOT NULL DEFAULT localtimestamp,
  STATE_STAV boolean NOT NULL DEFAULT true,
  DOKLAD_NETISTENY varchar(32) NOT NULL,
  DOKLAD_VYTISTENY varchar(32) NOT NULL,
  OZNACENI varchar(16) NOT NULL,
  KOD varchar(16) NOT NULL,
  POLOZKA varchar(64) NOT NULL,
  SPECIFIKACE varchar(128) NOT NULL,
  ZARUKA typ_ZARUKA NOT NULL,
  NAKUP typ_CENA NOT NULL,
  PRODEJ typ_CENA NOT NULL,
  SLEVA typ_PROCENTO NOT NULL,
  MNOZSTVI typ_FLOAT2 NOT NULL,
  ZASOBA typ_MNOZSTVI NOT NULL,
  MINIMUM typ_MNOZSTVI NOT NULL,
  NASOBNE boolean NOT NULL,
  UZIVATEL varchar(128) NOT NULL
);
CREATE INDEX index_ID_DOKLAD ON tab_historie (ID_DOKLAD);
CREATE INDEX index_ID_POLOZKA ON tab_historie (ID_POLOZKA);
-- The saved filters compare the day, the month, or the year and its week of a
-- line with today's, or its time with a period; each has an index that the
-- comparison written in the filter matches.
CREATE INDEX index_TIME ON tab_historie (TIME);
CREATE INDEX index_TIME_DEN ON tab_historie (date_trunc('day', TIME));
CREATE INDEX index_TIME_MESIC ON tab_historie (date_trunc('month', TIME));
CREATE INDEX index_TIME_TYDEN ON tab_historie (date_trunc('year', TIME), func_TYDEN(TIME));
GO
-- The trigram indexes of the item search (where the server has the
-- extension): the valid items' texts and the history lines' texts.
-- A history line's texts as the item search looks through them, one to a
-- line: a searched text (one line, taken literally) is in one of them exactly
-- when it is in this. The search's table of columns names the same ones.
CREATE FUNCTION tab_historie_func_HLEDANY_TEXT(p_radek tab_historie) RETURNS text
  LANGUAGE sql IMMUTABLE PARALLEL SAFE
  AS $$ SELECT public.func_HLEDANY_TEXT(p_radek.DOKLAD_NETISTENY || E'\n' || p_radek.DOKLAD_VYTISTENY || E'\n' ||
    p_radek.OZNACENI || E'\n' || p_radek.KOD || E'\n' || p_radek.POLOZKA || E'\n' || p_radek.SPECIFIKACE ||
    E'\n' || p_radek.UZIVATEL) $$;
GO
DO $$
DECLARE
  v_trgm text := (SELECT quote_ident(n.nspname) || '.gin_trgm_ops' FROM pg_extension e
                  JOIN pg_namespace n ON n.oid = e.extnamespace WHERE e.extname = 'pg_trgm');
BEGIN
  IF v_trgm IS NOT NULL THEN
    EXECUTE format('CREATE INDEX index_HLEDAT ON tab_polozka USING gin (func_HLEDANY_TEXT(OZNACENI) %1$s,'
      ' func_HLEDANY_TEXT(KOD) %1$s, func_HLEDANY_TEXT(POLOZKA) %1$s, func_HLEDANY_TEXT(SPECIFIKACE) %1$s)'
      ' WHERE STATE_PLATNOST', v_trgm);
    EXECUTE format('CREATE INDEX index_HLEDAT_RADEK ON tab_historie USING gin'
      ' (tab_historie_func_HLEDANY_TEXT(tab_historie) %s)', v_trgm);
  END IF;
END
$$;
GO
-- Procedures and functions. Each procedure of the program is a function with
-- the same name; a parameter @X is p_x; the result is the return value. The
-- program reads 0 as failure or "none". Errors the program shows are raised
-- with SQLSTATE 50000.
--
-- Zero fill: the text preceded by zeros up to the width; a text already wider
-- than the width gives NULL.
CREATE FUNCTION func_ZERO_ALIGN(p_text varchar, p_len_text integer) RETURNS varchar
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT CASE WHEN length(p_text) <= p_len_text
                    THEN repeat('0', p_len_text - length(p_text)) || p_text END $$
GO
CREATE FUNCTION ZERO_ALIGN(INOUT p_text varchar, p_len_text integer, OUT return_value integer)
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT func_ZERO_ALIGN(p_text, p_len_text),
               coalesce(CASE WHEN length(p_text) <= p_len_text THEN p_len_text - length(p_text) END, 0) $$
GO
CREATE FUNCTION TABLES_OF_DATABASE_LIST() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(c.relname, chr(13) ORDER BY c.relname), ''), 8000)
        FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace
        WHERE n.nspname = 'public' AND c.relkind IN ('r', 'p') $$
GO
-- One entry per column: table.column type [length]; the length is the width of
-- a text column, the precision of a numeric one, else the size in bytes. A
-- column of a type of our own (a domain) shows the type it is made of.
CREATE FUNCTION FIELDS_OF_TABLE_LIST(p_table varchar) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$
    SELECT left(coalesce(string_agg(format('%s.%s %s [%s]', c.relname, a.attname,
                  format_type(b.typ, NULL),
                  CASE WHEN a.attlen > 0 THEN a.attlen
                       WHEN b.typ IN ('varchar'::regtype, 'bpchar'::regtype) AND b.modifikator > 4 THEN b.modifikator - 4
                       WHEN b.typ = 'numeric'::regtype AND b.modifikator > 4 THEN (b.modifikator - 4) >> 16
                       ELSE -1 END),
                chr(13) ORDER BY a.attnum), ''), 8000)
    FROM pg_class c
    JOIN pg_namespace n ON n.oid = c.relnamespace
    JOIN pg_attribute a ON a.attrelid = c.oid
    JOIN pg_type t ON t.oid = a.atttypid
    CROSS JOIN LATERAL (SELECT CASE WHEN t.typtype = 'd' THEN t.typbasetype ELSE a.atttypid END AS typ,
                               CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END AS modifikator) b
    WHERE n.nspname = 'public' AND c.relkind IN ('r', 'p', 'v')
      AND lower(c.relname) = lower(p_table) AND a.attnum > 0 AND NOT a.attisdropped
  $$
GO
-- The default row of a list: the target becomes the only row with the flag.
-- Every row is locked first, so two sessions switching at once cannot leave
-- two defaults. Setting the row that already is the default changes nothing.
CREATE FUNCTION func_NASTAVIT_VYCHOZI(p_tabulka varchar, p_klic varchar, p_priznak varchar, p_id integer)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_cil integer;
BEGIN
  EXECUTE format('SELECT 1 FROM %I ORDER BY %I FOR UPDATE', p_tabulka, p_klic);
  EXECUTE format('SELECT count(*) FROM %I WHERE %I = $1 AND NOT %I', p_tabulka, p_klic, p_priznak)
    INTO v_cil USING p_id;
  IF v_cil <> 1 THEN
    RETURN 0;
  END IF;
  EXECUTE format('UPDATE %I SET %I = (%I = $1) WHERE %I = $1 OR %I',
                 p_tabulka, p_priznak, p_klic, p_klic, p_priznak) USING p_id;
  RETURN p_id;
END
$$
GO
-- Users: login roles that are members of the group role named like the database.
CREATE VIEW uzivatel_SEZNAM AS
  SELECT r.oid::integer AS ID_UZIVATEL, r.rolname::varchar(128) AS UZIVATEL,
         r.rolname::varchar(128) AS LOGIN, g.rolname::varchar(128) AS SKUPINA
  FROM pg_roles g
  JOIN pg_auth_members m ON m.roleid = g.oid
  JOIN pg_roles r ON r.oid = m.member
  WHERE g.rolname = current_database() AND r.rolcanlogin
GO
CREATE FUNCTION uzivatel_COUNT() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM uzivatel_SEZNAM $$
GO
CREATE FUNCTION uzivatel_func_USER_EXIST(p_user varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_UZIVATEL FROM uzivatel_SEZNAM WHERE UZIVATEL = p_user), 0) $$
GO
CREATE FUNCTION uzivatel_ID_USER(p_user varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT uzivatel_func_USER_EXIST(p_user) $$
GO
CREATE FUNCTION uzivatel_func_USER(p_id_user integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT UZIVATEL FROM uzivatel_SEZNAM WHERE ID_UZIVATEL = p_id_user), '') $$
GO
CREATE FUNCTION uzivatel_func_LOGIN_TO_USER(p_login varchar) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT UZIVATEL FROM uzivatel_SEZNAM WHERE LOGIN = p_login), '') $$
GO
CREATE FUNCTION uzivatel_func_USER_TO_LOGIN(p_user varchar) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT LOGIN FROM uzivatel_SEZNAM WHERE UZIVATEL = p_user), '') $$
GO
CREATE FUNCTION uzivatel_func_AKTIVNI_UZIVATEL() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT current_user::varchar $$
GO
-- The name written into every UZIVATEL column.
CREATE FUNCTION uzivatel_func_AKTIVNI_LOGIN() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT session_user::varchar $$
GO
CREATE FUNCTION uzivatel_NACIST_DLE_ID_UZIVATEL(p_id_uzivatel integer,
    OUT p_uzivatel varchar, OUT p_skupina varchar, OUT p_login varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT UZIVATEL, SKUPINA, LOGIN FROM uzivatel_SEZNAM WHERE ID_UZIVATEL = p_id_uzivatel $$
GO
-- Passwords reach the server only as SCRAM verifiers made by the client.
CREATE FUNCTION uzivatel_func_OVERIT_HESLO(p_heslo varchar) RETURNS void
  LANGUAGE plpgsql IMMUTABLE
  AS $$
BEGIN
  IF p_heslo IS NULL OR NOT starts_with(p_heslo, 'SCRAM-SHA-256$') THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Heslo nebylo předáno jako ověřovač SCRAM-SHA-256.';
  END IF;
END
$$
GO
-- A new login role in the database's group with every right granted. Any
-- failure undoes all of it.
CREATE FUNCTION uzivatel_NOVY_UZIVATEL(p_login varchar, p_heslo varchar) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer;
BEGIN
  IF coalesce(p_login, '') = '' THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Nezadaný uživatel...';
  END IF;
  PERFORM uzivatel_func_OVERIT_HESLO(p_heslo);
  IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = p_login) THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = format('Uživatel "%s" již na serveru existuje.', p_login);
  END IF;
  EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', p_login, p_heslo, current_database());
  SELECT oid::integer INTO v_id FROM pg_roles WHERE rolname = p_login;
  -- rows left by a removed role whose oid the server has given again
  DELETE FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = v_id;
  INSERT INTO tab_uzivatel_opravneni (ID_UZIVATEL, ID_OPRAVNENI, STATE_OPRAVNENI)
    SELECT v_id, ID_OPRAVNENI, true FROM tab_opravneni ORDER BY ID_OPRAVNENI;
  IF NOT FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_uzivatel_opravneni.';
  END IF;
  RETURN v_id;
END
$$
GO
-- A user's own old password is checked by the client, which logs in with it;
-- the server only ever sees verifiers. Another user's password is set only
-- by the database's owner or a superuser, without the old one.
CREATE FUNCTION uzivatel_HESLO_UZIVATEL(p_login varchar, p_heslo_stare varchar, p_heslo_nove varchar)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer := uzivatel_func_USER_EXIST(p_login);
BEGIN
  IF v_id = 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = format('Uživatel "%s" není uživatelem této databáze.', p_login);
  END IF;
  IF p_login <> session_user
     AND NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = session_user AND rolsuper)
     AND NOT EXISTS (SELECT 1 FROM pg_database d JOIN pg_roles r ON r.oid = d.datdba
                     WHERE d.datname = current_database() AND r.rolname = session_user) THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Heslo jiného uživatele smí nastavit pouze vlastník databáze nebo správce serveru.';
  END IF;
  PERFORM uzivatel_func_OVERIT_HESLO(p_heslo_nove);
  EXECUTE format('ALTER ROLE %I PASSWORD %L', p_login, p_heslo_nove);
  RETURN v_id;
END
$$
GO
-- Removes the user from the database: its rights and its membership; the
-- login role itself goes too unless it belongs to some other group as well.
CREATE FUNCTION uzivatel_ODEBRAT_UZIVATELE(p_login varchar) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer := uzivatel_func_USER_EXIST(p_login);
BEGIN
  IF v_id = 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = format('Uživatel "%s" není uživatelem této databáze.', p_login);
  END IF;
  IF p_login IN (session_user, current_user) THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = format('Uživatel "%s" je právě přihlášený...', p_login);
  END IF;
  IF EXISTS (SELECT 1 FROM pg_database WHERE datname = current_database() AND datdba::integer = v_id) THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = format('Uživatel "%s" je vlastníkem databáze.', p_login);
  END IF;
  DELETE FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = v_id;
  EXECUTE format('REVOKE %I FROM %I', current_database(), p_login);
  IF NOT EXISTS (SELECT 1 FROM pg_auth_members WHERE member = v_id::oid) THEN
    EXECUTE format('DROP ROLE %I', p_login);
  END IF;
  RETURN v_id;
END
$$
GO
-- The rights check of the whole program: the state of the right for the user
-- of this session, 0 when the user has no row for it.
CREATE FUNCTION tab_uzivatel_opravneni_OPRAVNENI(p_id_opravneni integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT STATE_OPRAVNENI::integer FROM tab_uzivatel_opravneni
                         WHERE ID_UZIVATEL = (SELECT oid::integer FROM pg_roles WHERE rolname = current_user)
                           AND ID_OPRAVNENI = p_id_opravneni), 0) $$
GO
CREATE FUNCTION tab_sestava_SESTAVA_EXISTUJE(p_sestava varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_sestava WHERE lower(SESTAVA) = lower(p_sestava) $$
GO
CREATE FUNCTION tab_sestava_SESTAVA_EXISTUJE_2(p_id_sestava integer, p_sestava varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_sestava
        WHERE ID_SESTAVA <> p_id_sestava AND lower(SESTAVA) = lower(p_sestava) $$
GO
CREATE FUNCTION tab_sestava_func_SOUBOR(p_id_sestava integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT SOUBOR FROM tab_sestava WHERE ID_SESTAVA = p_id_sestava), '') $$
GO
CREATE FUNCTION tab_sestava_EDITOVAT_SESTAVU(p_id_sestava integer, p_sestava varchar, p_soubor varchar)
  RETURNS integer LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_sestava SET SESTAVA = p_sestava, SOUBOR = p_soubor
                   WHERE ID_SESTAVA = p_id_sestava RETURNING ID_SESTAVA)
        SELECT coalesce(max(ID_SESTAVA), 0) FROM u $$
GO
-- Cash book: the balance after the last movement. PL/pgSQL, as the other
-- functions every sale calls, so the session plans its query once, not at
-- every call.
CREATE FUNCTION tab_pokladna_func_STAV() RETURNS numeric
  LANGUAGE plpgsql STABLE
  AS $$
BEGIN
  RETURN coalesce((SELECT STAV FROM tab_pokladna ORDER BY ID_POKLADNA DESC LIMIT 1), 0);
END
$$
GO
-- A cash movement. Movements are written one at a time across all sessions
-- (the table lock is held to the end of the transaction), so each balance
-- follows from the one committed before it: the last row's, found by its key.
CREATE FUNCTION tab_pokladna_POHYB(p_id_operace integer, p_doklad_netisteny varchar,
    p_doklad_vytisteny varchar, p_pohyb numeric) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer;
BEGIN
  -- The check costs no query while it passes.
  IF NOT (p_pohyb > '-Infinity' AND p_pohyb < 'Infinity') THEN
    PERFORM func_KONTROLA_CISEL('Chyba při zápisu do tab_pokladna [záznam pokladního pohybu]...', p_pohyb);
  END IF;
  LOCK TABLE tab_pokladna IN SHARE ROW EXCLUSIVE MODE;
  INSERT INTO tab_pokladna (ID_OPERACE, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB, STAV)
    VALUES (p_id_operace, p_doklad_netisteny, p_doklad_vytisteny, uzivatel_func_AKTIVNI_LOGIN(), p_pohyb,
            coalesce((SELECT STAV FROM tab_pokladna ORDER BY ID_POKLADNA DESC LIMIT 1), 0) + p_pohyb)
    RETURNING ID_POKLADNA INTO v_id;
  RETURN v_id;
END
$$
GO
CREATE FUNCTION tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE(p_oznaceni_doklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_oznaceni_doklad
        WHERE lower(OZNACENI_DOKLAD) = lower(p_oznaceni_doklad) $$
GO
CREATE FUNCTION tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE_2(p_id_oznaceni_doklad integer,
    p_oznaceni_doklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_oznaceni_doklad
        WHERE ID_OZNACENI_DOKLAD <> p_id_oznaceni_doklad
          AND lower(OZNACENI_DOKLAD) = lower(p_oznaceni_doklad) $$
GO
CREATE FUNCTION tab_oznaceni_doklad_func_OZNACENI_DOKLAD(p_id_oznaceni_doklad integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT OZNACENI_DOKLAD FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
CREATE FUNCTION tab_oznaceni_doklad_func_OZNACENI_ODDELOVAC(p_id_oznaceni_doklad integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT OZNACENI_ODDELOVAC FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
CREATE FUNCTION tab_oznaceni_doklad_func_PORADI_ZAROVNANI(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT PORADI_ZAROVNANI::integer FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
CREATE FUNCTION tab_oznaceni_doklad_NASTAVENI_OZNACENI_ROK(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_oznaceni_doklad SET OZNACENI_ROK = NOT OZNACENI_ROK
                   WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad RETURNING ID_OZNACENI_DOKLAD)
        SELECT coalesce(max(ID_OZNACENI_DOKLAD), 0) FROM u $$
GO
CREATE FUNCTION tab_oznaceni_doklad_NASTAVENI_OZNACENI_MESIC(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_oznaceni_doklad SET OZNACENI_MESIC = NOT OZNACENI_MESIC
                   WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad RETURNING ID_OZNACENI_DOKLAD)
        SELECT coalesce(max(ID_OZNACENI_DOKLAD), 0) FROM u $$
GO
CREATE FUNCTION tab_oznaceni_doklad_NASTAVENI_OZNACENI_DEN(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_oznaceni_doklad SET OZNACENI_DEN = NOT OZNACENI_DEN
                   WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad RETURNING ID_OZNACENI_DOKLAD)
        SELECT coalesce(max(ID_OZNACENI_DOKLAD), 0) FROM u $$
GO
CREATE FUNCTION tab_oznaceni_doklad_NACIST_DLE_ID_OZNACENI_DOKLAD(p_id_oznaceni_doklad integer,
    OUT p_oznaceni_doklad varchar, OUT p_oznaceni_rok boolean, OUT p_oznaceni_mesic boolean,
    OUT p_oznaceni_den boolean, OUT p_oznaceni_oddelovac varchar, OUT p_poradi_doklad_netisteny integer,
    OUT p_poradi_doklad_vytisteny integer, OUT p_poradi_zarovnani integer)
  LANGUAGE sql STABLE
  AS $$ SELECT OZNACENI_DOKLAD, OZNACENI_ROK, OZNACENI_MESIC, OZNACENI_DEN, OZNACENI_ODDELOVAC,
               PORADI_DOKLAD_NETISTENY, PORADI_DOKLAD_VYTISTENY, PORADI_ZAROVNANI
        FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
-- A counter is set only when the user changed it from what the dialog read
-- (p_..._puvodni), and only while the series still stands there: a sale made
-- meanwhile by another till refuses the edit, so no number is given twice.
-- Without what was read the values are written as given.
CREATE FUNCTION tab_oznaceni_doklad_EDITOVAT_OZNACENI(p_id_oznaceni_doklad integer,
    p_oznaceni_doklad varchar, p_oznaceni_oddelovac varchar, p_poradi_doklad_netisteny integer,
    p_poradi_doklad_vytisteny integer, p_poradi_zarovnani integer,
    p_poradi_doklad_netisteny_puvodni integer DEFAULT NULL, p_poradi_doklad_vytisteny_puvodni integer DEFAULT NULL)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v tab_oznaceni_doklad%ROWTYPE;
BEGIN
  SELECT * INTO v FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad FOR UPDATE;
  IF NOT FOUND THEN
    RETURN 0;
  END IF;
  IF p_poradi_doklad_netisteny_puvodni IS NOT NULL
     AND p_poradi_doklad_netisteny IS DISTINCT FROM p_poradi_doklad_netisteny_puvodni
     AND v.PORADI_DOKLAD_NETISTENY <> p_poradi_doklad_netisteny_puvodni THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = format('Pořadí netištěného dokladu se mezitím změnilo na %s '
      '(jiná pokladna vydala doklad): nic nebylo zapsáno.', v.PORADI_DOKLAD_NETISTENY);
  END IF;
  IF p_poradi_doklad_vytisteny_puvodni IS NOT NULL
     AND p_poradi_doklad_vytisteny IS DISTINCT FROM p_poradi_doklad_vytisteny_puvodni
     AND v.PORADI_DOKLAD_VYTISTENY <> p_poradi_doklad_vytisteny_puvodni THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = format('Pořadí vytištěného dokladu se mezitím změnilo na %s '
      '(jiná pokladna vytiskla doklad): nic nebylo zapsáno.', v.PORADI_DOKLAD_VYTISTENY);
  END IF;
  UPDATE tab_oznaceni_doklad
    SET OZNACENI_DOKLAD = p_oznaceni_doklad, OZNACENI_ODDELOVAC = p_oznaceni_oddelovac,
        PORADI_DOKLAD_NETISTENY = CASE WHEN p_poradi_doklad_netisteny_puvodni IS NULL
          OR p_poradi_doklad_netisteny IS DISTINCT FROM p_poradi_doklad_netisteny_puvodni
          THEN p_poradi_doklad_netisteny ELSE PORADI_DOKLAD_NETISTENY END,
        PORADI_DOKLAD_VYTISTENY = CASE WHEN p_poradi_doklad_vytisteny_puvodni IS NULL
          OR p_poradi_doklad_vytisteny IS DISTINCT FROM p_poradi_doklad_vytisteny_puvodni
          THEN p_poradi_doklad_vytisteny ELSE PORADI_DOKLAD_VYTISTENY END,
        PORADI_ZAROVNANI = p_poradi_zarovnani
    WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad;
  RETURN p_id_oznaceni_doklad;
END
$$
GO
-- The date part of a document number from a series' flags: year, month and
-- day of today as the series asks for them, joined by the separator. SQL
-- simple enough to be inlined into the queries that call it, so it is never
-- planned on its own.
CREATE FUNCTION func_DATUM_DOKLADU(p_rok boolean, p_mesic boolean, p_den boolean, p_oddelovac varchar)
  RETURNS varchar LANGUAGE sql STABLE
  AS $$ SELECT concat_ws(coalesce(p_oddelovac, ''),
                         CASE WHEN p_rok THEN to_char(localtimestamp, 'YYYY') END,
                         CASE WHEN p_mesic THEN to_char(localtimestamp, 'MM') END,
                         CASE WHEN p_den THEN to_char(localtimestamp, 'DD') END) $$
GO
-- A document number from a series' columns and a sequence number: prefix and
-- separator, date part and separator, zero-filled number; NULL when the
-- number is wider than the series' width. Inlined as the date part.
CREATE FUNCTION func_CISLO_DOKLADU(p_oznaceni varchar, p_oddelovac varchar, p_rok boolean, p_mesic boolean,
    p_den boolean, p_zarovnani integer, p_poradi integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT concat_ws(p_oddelovac, nullif(p_oznaceni, ''),
                         nullif(func_DATUM_DOKLADU(p_rok, p_mesic, p_den, p_oddelovac), ''), '')
               || func_ZERO_ALIGN(p_poradi::varchar, p_zarovnani) $$
GO
-- The date part of the series' numbers, with the given separator.
-- PL/pgSQL, so its query is planned once per session.
CREATE FUNCTION tab_oznaceni_doklad_func_ROK_MESIC_DEN(p_id_oznaceni_doklad integer,
    p_oznaceni_oddelovac varchar) RETURNS varchar
  LANGUAGE plpgsql STABLE
  AS $$
BEGIN
  RETURN coalesce((
    SELECT func_DATUM_DOKLADU(OZNACENI_ROK, OZNACENI_MESIC, OZNACENI_DEN, p_oznaceni_oddelovac)
    FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad), '');
END
$$
GO
-- A document number of the series for the given sequence number; NULL when
-- there is no such series. PL/pgSQL, as the date part.
CREATE FUNCTION tab_oznaceni_doklad_func_CISLO(p_id_oznaceni_doklad integer, p_poradi integer) RETURNS varchar
  LANGUAGE plpgsql STABLE
  AS $$
BEGIN
  RETURN (
    SELECT func_CISLO_DOKLADU(OZNACENI_DOKLAD, OZNACENI_ODDELOVAC, OZNACENI_ROK, OZNACENI_MESIC, OZNACENI_DEN,
                              PORADI_ZAROVNANI, p_poradi)
    FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad);
END
$$
GO
CREATE FUNCTION tab_oznaceni_doklad_func_DOKLAD_NETISTENY(p_id_oznaceni_doklad integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT tab_oznaceni_doklad_func_CISLO(ID_OZNACENI_DOKLAD, PORADI_DOKLAD_NETISTENY)
        FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
CREATE FUNCTION tab_oznaceni_doklad_func_DOKLAD_VYTISTENY(p_id_oznaceni_doklad integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT tab_oznaceni_doklad_func_CISLO(ID_OZNACENI_DOKLAD, PORADI_DOKLAD_VYTISTENY)
        FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad $$
GO
CREATE FUNCTION tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_oznaceni_doklad SET PORADI_DOKLAD_NETISTENY = PORADI_DOKLAD_NETISTENY + 1
                   WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad RETURNING 1)
        SELECT count(*)::integer FROM u $$
GO
-- A printed counter set to 0 does not advance (the series prints no documents).
CREATE FUNCTION tab_oznaceni_doklad_PORADI_DOKLAD_VYTISTENY(p_id_oznaceni_doklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_oznaceni_doklad SET PORADI_DOKLAD_VYTISTENY = PORADI_DOKLAD_VYTISTENY + 1
                   WHERE ID_OZNACENI_DOKLAD = p_id_oznaceni_doklad AND PORADI_DOKLAD_VYTISTENY <> 0 RETURNING 1)
        SELECT count(*)::integer FROM u $$
GO
-- VAT rates arrive as fixed-point numbers and are matched in the column's
-- own single precision, so any rate that was stored is found again.
CREATE FUNCTION tab_dph_DPH_EXISTUJE(p_dph numeric) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_dph WHERE DPH = p_dph::real $$
GO
CREATE FUNCTION tab_dph_DPH_EXISTUJE_2(p_id_dph integer, p_dph numeric) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_dph WHERE ID_DPH <> p_id_dph AND DPH = p_dph::real $$
GO
CREATE FUNCTION tab_dph_func_ID_DPH(p_dph numeric) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_DPH FROM tab_dph WHERE DPH = p_dph::real), 0) $$
GO
CREATE FUNCTION tab_dph_ID_DPH(p_dph numeric) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT tab_dph_func_ID_DPH(p_dph) $$
GO
CREATE FUNCTION tab_dph_func_DPH(p_id_dph integer) RETURNS real
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT DPH FROM tab_dph WHERE ID_DPH = p_id_dph), 0) $$
GO
CREATE FUNCTION tab_dph_VYCHOZI_ID_DPH() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_DPH FROM tab_dph WHERE STATE_VYCHOZI ORDER BY ID_DPH LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_dph_func_VYCHOZI_DPH() RETURNS real
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT DPH FROM tab_dph WHERE STATE_VYCHOZI ORDER BY ID_DPH LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_dph_NASTAVENI_VYCHOZI_DPH(p_id_dph integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_dph', 'id_dph', 'state_vychozi', p_id_dph) $$
GO
CREATE FUNCTION tab_dph_func_NACIST_SEZNAM_DPH() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(replace(DPH::text, '.', ','), chr(13) ORDER BY DPH), ''), 8000)
        FROM tab_dph $$
GO
CREATE FUNCTION tab_dph_EDITOVAT_DPH(p_id_dph integer, p_dph numeric) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_KONTROLA_CISEL('Chyba při zápisu záznamu do tab_dph.', p_dph);
        WITH u AS (UPDATE tab_dph SET DPH = p_dph WHERE ID_DPH = p_id_dph RETURNING ID_DPH)
        SELECT coalesce(max(ID_DPH), 0) FROM u $$
GO
-- The part of a VAT-inclusive amount that is VAT.
CREATE FUNCTION tab_dph_func_DPH_CONST(p_id_dph integer) RETURNS real
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT (DPH / (DPH + 100.0))::real FROM tab_dph WHERE ID_DPH = p_id_dph), 0) $$
GO
CREATE FUNCTION tab_filtr_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_filtr $$
GO
CREATE FUNCTION tab_filtr_FILTR_EXISTUJE(p_filtr varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_filtr WHERE lower(FILTR) = lower(p_filtr) $$
GO
CREATE FUNCTION tab_filtr_FILTR_EXISTUJE_2(p_id_filtr integer, p_filtr varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_filtr WHERE ID_FILTR <> p_id_filtr AND lower(FILTR) = lower(p_filtr) $$
GO
CREATE FUNCTION tab_filtr_func_ID_FILTR(p_filtr varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_FILTR FROM tab_filtr WHERE lower(FILTR) = lower(p_filtr)), 0) $$
GO
CREATE FUNCTION tab_filtr_ID_FILTR(p_filtr varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT tab_filtr_func_ID_FILTR(p_filtr) $$
GO
CREATE FUNCTION tab_filtr_func_FILTR(p_id_filtr integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT FILTR FROM tab_filtr WHERE ID_FILTR = p_id_filtr), '') $$
GO
CREATE FUNCTION tab_filtr_func_SCRIPT(p_id_filtr integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT SCRIPT FROM tab_filtr WHERE ID_FILTR = p_id_filtr), '') $$
GO
CREATE FUNCTION tab_filtr_NACIST_DLE_ID_FILTR(p_id_filtr integer, OUT p_filtr varchar, OUT p_script varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT FILTR, SCRIPT FROM tab_filtr WHERE ID_FILTR = p_id_filtr $$
GO
CREATE FUNCTION tab_filtr_func_NACIST_SEZNAM_FILTRU() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(FILTR, chr(13) ORDER BY FILTR), ''), 8000) FROM tab_filtr $$
GO
CREATE FUNCTION tab_filtr_NOVY_FILTR(p_filtr varchar, p_script varchar) RETURNS integer
  LANGUAGE sql
  AS $$ INSERT INTO tab_filtr (FILTR, SCRIPT) VALUES (p_filtr, p_script) RETURNING ID_FILTR $$
GO
CREATE FUNCTION tab_filtr_EDITOVAT_FILTR(p_id_filtr integer, p_filtr varchar, p_script varchar) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_filtr SET FILTR = p_filtr, SCRIPT = p_script
                   WHERE ID_FILTR = p_id_filtr RETURNING ID_FILTR)
        SELECT coalesce(max(ID_FILTR), 0) FROM u $$
GO
CREATE FUNCTION tab_filtr_ODEBRAT_FILTR(p_id_filtr integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH d AS (DELETE FROM tab_filtr WHERE ID_FILTR = p_id_filtr RETURNING ID_FILTR)
        SELECT coalesce(max(ID_FILTR), 0) FROM d $$
GO
CREATE FUNCTION tab_sklad_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_sklad $$
GO
CREATE FUNCTION tab_sklad_REFERENCE(p_id_sklad integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka WHERE ID_SKLAD = p_id_sklad $$
GO
CREATE FUNCTION tab_sklad_SKLAD_EXISTUJE(p_sklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_sklad WHERE lower(SKLAD) = lower(p_sklad) $$
GO
CREATE FUNCTION tab_sklad_SKLAD_EXISTUJE_2(p_id_sklad integer, p_sklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_sklad WHERE ID_SKLAD <> p_id_sklad AND lower(SKLAD) = lower(p_sklad) $$
GO
CREATE FUNCTION tab_sklad_func_ID_SKLAD(p_sklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_SKLAD FROM tab_sklad WHERE lower(SKLAD) = lower(p_sklad)), 0) $$
GO
CREATE FUNCTION tab_sklad_ID_SKLAD(p_sklad varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT tab_sklad_func_ID_SKLAD(p_sklad) $$
GO
CREATE FUNCTION tab_sklad_ID_KATEGORIE(p_id_sklad integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_KATEGORIE FROM tab_sklad WHERE ID_SKLAD = p_id_sklad), 0) $$
GO
CREATE FUNCTION tab_sklad_func_SKLAD(p_id_sklad integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT SKLAD FROM tab_sklad WHERE ID_SKLAD = p_id_sklad), '') $$
GO
CREATE FUNCTION tab_sklad_VYCHOZI_ID_SKLAD() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_SKLAD FROM tab_sklad WHERE STATE_VYCHOZI ORDER BY ID_SKLAD LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_sklad_func_VYCHOZI_SKLAD() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT SKLAD FROM tab_sklad WHERE STATE_VYCHOZI ORDER BY ID_SKLAD LIMIT 1), '') $$
GO
CREATE FUNCTION tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU(p_id_sklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_sklad', 'id_sklad', 'state_vychozi', p_id_sklad) $$
GO
CREATE FUNCTION tab_sklad_NACIST_DLE_ID_SKLAD(p_id_sklad integer, OUT p_id_kategorie integer, OUT p_sklad varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT ID_KATEGORIE, SKLAD FROM tab_sklad WHERE ID_SKLAD = p_id_sklad $$
GO
CREATE FUNCTION tab_sklad_func_NACIST_SEZNAM_SKLADU() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(SKLAD, chr(13) ORDER BY SKLAD), ''), 8000) FROM tab_sklad $$
GO
CREATE FUNCTION tab_sklad_NOVY_SKLAD(p_id_kategorie integer, p_sklad varchar) RETURNS integer
  LANGUAGE sql
  AS $$ INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (p_id_kategorie, p_sklad) RETURNING ID_SKLAD $$
GO
CREATE FUNCTION tab_sklad_EDITOVAT_SKLAD(p_id_sklad integer, p_id_kategorie integer, p_sklad varchar)
  RETURNS integer LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_sklad SET ID_KATEGORIE = p_id_kategorie, SKLAD = p_sklad
                   WHERE ID_SKLAD = p_id_sklad RETURNING ID_SKLAD)
        SELECT coalesce(max(ID_SKLAD), 0) FROM u $$
GO
CREATE FUNCTION tab_sklad_ODEBRAT_SKLAD(p_id_sklad integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH d AS (DELETE FROM tab_sklad WHERE ID_SKLAD = p_id_sklad RETURNING ID_SKLAD)
        SELECT coalesce(max(ID_SKLAD), 0) FROM d $$
GO
CREATE FUNCTION tab_kontakt_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kontakt $$
GO
CREATE FUNCTION tab_kontakt_REFERENCE(p_id_kontakt integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka WHERE ID_DODAVATEL = p_id_kontakt $$
GO
CREATE FUNCTION tab_kontakt_KONTAKT_EXISTUJE(p_kontakt varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kontakt WHERE lower(KONTAKT) = lower(p_kontakt) $$
GO
CREATE FUNCTION tab_kontakt_KONTAKT_EXISTUJE_2(p_id_kontakt integer, p_kontakt varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kontakt
        WHERE ID_KONTAKT <> p_id_kontakt AND lower(KONTAKT) = lower(p_kontakt) $$
GO
CREATE FUNCTION tab_kontakt_func_ID_KONTAKT(p_kontakt varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_KONTAKT FROM tab_kontakt WHERE lower(KONTAKT) = lower(p_kontakt)), 0) $$
GO
CREATE FUNCTION tab_kontakt_ID_KONTAKT(p_kontakt varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT tab_kontakt_func_ID_KONTAKT(p_kontakt) $$
GO
CREATE FUNCTION tab_kontakt_func_KONTAKT(p_id_kontakt integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT KONTAKT FROM tab_kontakt WHERE ID_KONTAKT = p_id_kontakt), '') $$
GO
CREATE FUNCTION tab_kontakt_VYCHOZI_ID_DODAVATEL() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_KONTAKT FROM tab_kontakt WHERE STATE_DODAVATEL ORDER BY ID_KONTAKT LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_kontakt_func_VYCHOZI_DODAVATEL() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT KONTAKT FROM tab_kontakt WHERE STATE_DODAVATEL ORDER BY ID_KONTAKT LIMIT 1), '') $$
GO
CREATE FUNCTION tab_kontakt_VYCHOZI_ID_ODBERATEL() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_KONTAKT FROM tab_kontakt WHERE STATE_ODBERATEL ORDER BY ID_KONTAKT LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_kontakt_func_VYCHOZI_ODBERATEL() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT KONTAKT FROM tab_kontakt WHERE STATE_ODBERATEL ORDER BY ID_KONTAKT LIMIT 1), '') $$
GO
CREATE FUNCTION tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_DODAVATEL(p_id_kontakt integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_kontakt', 'id_kontakt', 'state_dodavatel', p_id_kontakt) $$
GO
CREATE FUNCTION tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_ODBERATEL(p_id_kontakt integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_kontakt', 'id_kontakt', 'state_odberatel', p_id_kontakt) $$
GO
CREATE FUNCTION tab_kontakt_NACIST_DLE_ID_KONTAKT(p_id_kontakt integer, OUT p_kontakt varchar,
    OUT p_ic varchar, OUT p_dic varchar, OUT p_adresa varchar, OUT p_telefon varchar, OUT p_mobil varchar,
    OUT p_email varchar, OUT p_www varchar, OUT p_osoba varchar, OUT p_poznamka varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT KONTAKT, IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW, OSOBA, POZNAMKA
        FROM tab_kontakt WHERE ID_KONTAKT = p_id_kontakt $$
GO
CREATE FUNCTION tab_kontakt_func_NACIST_SEZNAM_KONTAKTU() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(KONTAKT, chr(13) ORDER BY KONTAKT), ''), 8000) FROM tab_kontakt $$
GO
CREATE FUNCTION tab_kontakt_NOVY_KONTAKT(p_kontakt varchar, p_ic varchar, p_dic varchar, p_adresa varchar,
    p_telefon varchar, p_mobil varchar, p_email varchar, p_www varchar, p_osoba varchar, p_poznamka varchar)
  RETURNS integer LANGUAGE sql
  AS $$ INSERT INTO tab_kontakt (KONTAKT, IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW, OSOBA, POZNAMKA)
        VALUES (p_kontakt, p_ic, p_dic, p_adresa, p_telefon, p_mobil, p_email, p_www, p_osoba, p_poznamka)
        RETURNING ID_KONTAKT $$
GO
CREATE FUNCTION tab_kontakt_EDITOVAT_KONTAKT(p_id_kontakt integer, p_kontakt varchar, p_ic varchar,
    p_dic varchar, p_adresa varchar, p_telefon varchar, p_mobil varchar, p_email varchar, p_www varchar,
    p_osoba varchar, p_poznamka varchar) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_kontakt
                   SET KONTAKT = p_kontakt, IC = p_ic, DIC = p_dic, ADRESA = p_adresa, TELEFON = p_telefon,
                       MOBIL = p_mobil, EMAIL = p_email, WWW = p_www, OSOBA = p_osoba, POZNAMKA = p_poznamka
                   WHERE ID_KONTAKT = p_id_kontakt RETURNING ID_KONTAKT)
        SELECT coalesce(max(ID_KONTAKT), 0) FROM u $$
GO
CREATE FUNCTION tab_kontakt_ODEBRAT_KONTAKT(p_id_kontakt integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH d AS (DELETE FROM tab_kontakt WHERE ID_KONTAKT = p_id_kontakt RETURNING ID_KONTAKT)
        SELECT coalesce(max(ID_KONTAKT), 0) FROM d $$
GO
CREATE FUNCTION tab_jednotka_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_jednotka $$
GO
CREATE FUNCTION tab_jednotka_REFERENCE(p_id_jednotka integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka WHERE ID_JEDNOTKA = p_id_jednotka $$
GO
CREATE FUNCTION tab_jednotka_JEDNOTKA_EXISTUJE(p_jednotka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_jednotka WHERE lower(JEDNOTKA) = lower(p_jednotka) $$
GO
CREATE FUNCTION tab_jednotka_JEDNOTKA_EXISTUJE_2(p_id_jednotka integer, p_jednotka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_jednotka
        WHERE ID_JEDNOTKA <> p_id_jednotka AND lower(JEDNOTKA) = lower(p_jednotka) $$
GO
CREATE FUNCTION tab_jednotka_func_ID_JEDNOTKA(p_jednotka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_JEDNOTKA FROM tab_jednotka WHERE lower(JEDNOTKA) = lower(p_jednotka)), 0) $$
GO
CREATE FUNCTION tab_jednotka_ID_JEDNOTKA(p_jednotka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT tab_jednotka_func_ID_JEDNOTKA(p_jednotka) $$
GO
CREATE FUNCTION tab_jednotka_func_JEDNOTKA(p_id_jednotka integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT JEDNOTKA FROM tab_jednotka WHERE ID_JEDNOTKA = p_id_jednotka), '') $$
GO
CREATE FUNCTION tab_jednotka_func_MINIMUM(p_id_jednotka integer) RETURNS real
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT MINIMUM FROM tab_jednotka WHERE ID_JEDNOTKA = p_id_jednotka), 0) $$
GO
CREATE FUNCTION tab_jednotka_NASOBNE(p_id_jednotka integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT NASOBNE::integer FROM tab_jednotka WHERE ID_JEDNOTKA = p_id_jednotka), 0) $$
GO
CREATE FUNCTION tab_jednotka_VYCHOZI_ID_JEDNOTKA() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_JEDNOTKA FROM tab_jednotka WHERE STATE_VYCHOZI ORDER BY ID_JEDNOTKA LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_jednotka_func_VYCHOZI_JEDNOTKA() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT JEDNOTKA FROM tab_jednotka WHERE STATE_VYCHOZI ORDER BY ID_JEDNOTKA LIMIT 1), '') $$
GO
CREATE FUNCTION tab_jednotka_NASTAVENI_VYCHOZI_JEDNOTKY(p_id_jednotka integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_jednotka', 'id_jednotka', 'state_vychozi', p_id_jednotka) $$
GO
CREATE FUNCTION tab_jednotka_NASTAVENI_NASOBNE(p_id_jednotka integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_jednotka SET NASOBNE = NOT NASOBNE
                   WHERE ID_JEDNOTKA = p_id_jednotka RETURNING ID_JEDNOTKA)
        SELECT coalesce(max(ID_JEDNOTKA), 0) FROM u $$
GO
CREATE FUNCTION tab_jednotka_NACIST_DLE_ID_JEDNOTKA(p_id_jednotka integer, OUT p_jednotka varchar,
    OUT p_specifikace varchar, OUT p_minimum real)
  LANGUAGE sql STABLE
  AS $$ SELECT JEDNOTKA, SPECIFIKACE, MINIMUM FROM tab_jednotka WHERE ID_JEDNOTKA = p_id_jednotka $$
GO
CREATE FUNCTION tab_jednotka_func_NACIST_SEZNAM_JEDNOTEK() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(JEDNOTKA, chr(13) ORDER BY JEDNOTKA), ''), 8000) FROM tab_jednotka $$
GO
CREATE FUNCTION tab_jednotka_NOVA_JEDNOTKA(p_jednotka varchar, p_specifikace varchar, p_minimum numeric)
  RETURNS integer LANGUAGE sql
  AS $$ SELECT func_KONTROLA_CISEL('Chyba při zápisu záznamu do tab_jednotka.', p_minimum);
        INSERT INTO tab_jednotka (JEDNOTKA, SPECIFIKACE, MINIMUM) VALUES (p_jednotka, p_specifikace, p_minimum)
        RETURNING ID_JEDNOTKA $$
GO
CREATE FUNCTION tab_jednotka_EDITOVAT_JEDNOTKU(p_id_jednotka integer, p_jednotka varchar,
    p_specifikace varchar, p_minimum numeric) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_KONTROLA_CISEL('Chyba při zápisu záznamu do tab_jednotka.', p_minimum);
        WITH u AS (UPDATE tab_jednotka SET JEDNOTKA = p_jednotka, SPECIFIKACE = p_specifikace, MINIMUM = p_minimum
                   WHERE ID_JEDNOTKA = p_id_jednotka RETURNING ID_JEDNOTKA)
        SELECT coalesce(max(ID_JEDNOTKA), 0) FROM u $$
GO
CREATE FUNCTION tab_jednotka_ODEBRAT_JEDNOTKU(p_id_jednotka integer) RETURNS integer
  LANGUAGE sql
  AS $$ WITH d AS (DELETE FROM tab_jednotka WHERE ID_JEDNOTKA = p_id_jednotka RETURNING ID_JEDNOTKA)
        SELECT coalesce(max(ID_JEDNOTKA), 0) FROM d $$
GO
CREATE FUNCTION tab_kategorie_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kategorie $$
GO
CREATE FUNCTION tab_kategorie_POCET_2(p_id_nadkategorie integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kategorie WHERE ID_NADKATEGORIE = p_id_nadkategorie $$
GO
CREATE FUNCTION tab_kategorie_REFERENCE(p_id_kategorie integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka WHERE ID_KATEGORIE = p_id_kategorie $$
GO
CREATE FUNCTION tab_kategorie_KATEGORIE_EXISTUJE(p_id_kategorie integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie $$
GO
CREATE FUNCTION tab_kategorie_KATEGORIE_EXISTUJE_2(p_id_nadkategorie integer, p_kategorie varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kategorie
        WHERE ID_NADKATEGORIE = p_id_nadkategorie AND lower(KATEGORIE) = lower(p_kategorie) $$
GO
CREATE FUNCTION tab_kategorie_KATEGORIE_EXISTUJE_3(p_id_nadkategorie integer, p_id_kategorie integer,
    p_kategorie varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_kategorie
        WHERE ID_NADKATEGORIE = p_id_nadkategorie AND ID_KATEGORIE <> p_id_kategorie
          AND lower(KATEGORIE) = lower(p_kategorie) $$
GO
CREATE FUNCTION tab_kategorie_func_KATEGORIE(p_id_kategorie integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT KATEGORIE FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie), '') $$
GO
-- With no category marked, the root is the default.
CREATE FUNCTION tab_kategorie_VYCHOZI_ID_KATEGORIE() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_KATEGORIE FROM tab_kategorie WHERE STATE_VYCHOZI
                         ORDER BY ID_KATEGORIE LIMIT 1), 1) $$
GO
CREATE FUNCTION tab_kategorie_func_VYCHOZI_KATEGORIE() RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT KATEGORIE FROM tab_kategorie WHERE STATE_VYCHOZI ORDER BY ID_KATEGORIE LIMIT 1),
                        (SELECT KATEGORIE FROM tab_kategorie WHERE ID_KATEGORIE = 1), '') $$
GO
CREATE FUNCTION tab_kategorie_NASTAVENI_VYCHOZI_ID_KATEGORIE(p_id_kategorie integer) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT func_NASTAVIT_VYCHOZI('tab_kategorie', 'id_kategorie', 'state_vychozi', p_id_kategorie) $$
GO
CREATE FUNCTION tab_kategorie_NACIST_DLE_ID_KATEGORIE(p_id_kategorie integer, OUT p_kategorie varchar,
    OUT p_specifikace varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT KATEGORIE, SPECIFIKACE FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie $$
GO
CREATE FUNCTION tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII(p_id_nadkategorie integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT left(coalesce(string_agg(ID_KATEGORIE::text, chr(13) ORDER BY KATEGORIE, ID_KATEGORIE), ''), 8000)
        FROM tab_kategorie WHERE ID_NADKATEGORIE = p_id_nadkategorie $$
GO
CREATE FUNCTION tab_kategorie_NOVA_KATEGORIE(p_id_nadkategorie integer, p_kategorie varchar,
    p_specifikace varchar) RETURNS integer
  LANGUAGE sql
  AS $$ INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
        VALUES (p_id_nadkategorie, p_kategorie, p_specifikace) RETURNING ID_KATEGORIE $$
GO
CREATE FUNCTION tab_kategorie_EDITOVAT_KATEGORII(p_id_kategorie integer, p_kategorie varchar,
    p_specifikace varchar) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_kategorie SET KATEGORIE = p_kategorie, SPECIFIKACE = p_specifikace
                   WHERE ID_KATEGORIE = p_id_kategorie RETURNING ID_KATEGORIE)
        SELECT coalesce(max(ID_KATEGORIE), 0) FROM u $$
GO
CREATE FUNCTION tab_kategorie_PREJMENOVAT_KATEGORII(p_id_kategorie integer, p_kategorie varchar) RETURNS integer
  LANGUAGE sql
  AS $$ WITH u AS (UPDATE tab_kategorie SET KATEGORIE = p_kategorie
                   WHERE ID_KATEGORIE = p_id_kategorie RETURNING ID_KATEGORIE)
        SELECT coalesce(max(ID_KATEGORIE), 0) FROM u $$
GO
-- The category and its ancestors up to the root (depth 0 is the category).
-- A chain that does not reach the root ends where its parent is missing.
CREATE FUNCTION tab_kategorie_func_PREDKOVE(p_id_kategorie integer)
  RETURNS TABLE (ID integer, NAZEV varchar, HLOUBKA integer)
  LANGUAGE sql STABLE
  AS $$
    WITH RECURSIVE nahoru (ID, NAD, NAZEV, HLOUBKA) AS (
      SELECT ID_KATEGORIE, ID_NADKATEGORIE, KATEGORIE, 0 FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie
      UNION ALL
      SELECT k.ID_KATEGORIE, k.ID_NADKATEGORIE, k.KATEGORIE, n.HLOUBKA + 1
      FROM nahoru n JOIN tab_kategorie k ON k.ID_KATEGORIE = n.NAD
      WHERE n.ID <> 1 AND n.HLOUBKA < 1000)
    SELECT ID, NAZEV, HLOUBKA FROM nahoru
  $$
GO
-- The category and all categories below it.
CREATE FUNCTION tab_kategorie_func_POTOMCI(p_id_kategorie integer) RETURNS TABLE (ID integer)
  LANGUAGE sql STABLE
  AS $$
    WITH RECURSIVE dolu (ID, HLOUBKA) AS (
      SELECT ID_KATEGORIE, 0 FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie
      UNION ALL
      SELECT k.ID_KATEGORIE, d.HLOUBKA + 1
      FROM dolu d JOIN tab_kategorie k ON k.ID_NADKATEGORIE = d.ID
      WHERE d.HLOUBKA < 1000)
    SELECT ID FROM dolu
  $$
GO
-- The ids from the root down, each followed by "\": the root gives 1\.
CREATE FUNCTION tab_kategorie_func_PATH_ID_KATEGORIE(p_id_kategorie integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT CASE WHEN bool_or(ID = 1) THEN string_agg(ID::text || '\', '' ORDER BY HLOUBKA DESC) END
        FROM tab_kategorie_func_PREDKOVE(p_id_kategorie) $$
GO
-- The names from the root down joined by "\"; "<neplatná>" when the chain
-- does not reach the root within 1000 steps or the category's own name is
-- empty. Walked one parent at a time by the key: the session keeps the plan of
-- the one look-up, where a query over the ancestors would be planned and
-- started anew at every call (a basket line's read calls this for its item).
CREATE FUNCTION tab_kategorie_func_PATH_KATEGORIE(p_id_kategorie integer) RETURNS varchar
  LANGUAGE plpgsql STABLE
  AS $$
DECLARE
  v_id integer := p_id_kategorie;
  v_nad integer;
  v_nazev varchar;
  v_cesta varchar;
  v_hloubka integer := 0;
BEGIN
  SELECT ID_NADKATEGORIE, KATEGORIE INTO v_nad, v_cesta FROM tab_kategorie WHERE ID_KATEGORIE = v_id;
  IF NOT FOUND OR v_cesta = '' THEN
    RETURN '<neplatná>';
  END IF;
  WHILE v_id <> 1 LOOP
    IF v_nad IS NULL OR v_hloubka >= 1000 THEN
      RETURN '<neplatná>';
    END IF;
    v_id := v_nad;
    v_hloubka := v_hloubka + 1;
    SELECT ID_NADKATEGORIE, KATEGORIE INTO v_nad, v_nazev FROM tab_kategorie WHERE ID_KATEGORIE = v_id;
    IF NOT FOUND THEN
      RETURN '<neplatná>';
    END IF;
    v_cesta := v_nazev || '\' || v_cesta;
  END LOOP;
  RETURN v_cesta;
END
$$
GO
-- Walks a path of names from the root: the last category found and whether
-- every name was found.
CREATE FUNCTION tab_kategorie_func_PROJIT_CESTU(p_path_kategorie varchar,
    OUT p_id_kategorie integer, OUT p_cela boolean)
  LANGUAGE plpgsql STABLE
  AS $$
DECLARE
  v_jmena text[] := string_to_array(p_path_kategorie, '\');
  v_dalsi integer;
BEGIN
  p_id_kategorie := 1;
  p_cela := false;
  IF coalesce(array_length(v_jmena, 1), 0) = 0
     OR lower(v_jmena[1]) IS DISTINCT FROM (SELECT lower(KATEGORIE) FROM tab_kategorie WHERE ID_KATEGORIE = 1) THEN
    RETURN;
  END IF;
  FOR i IN 2 .. array_length(v_jmena, 1) LOOP
    SELECT ID_KATEGORIE INTO v_dalsi FROM tab_kategorie
      WHERE ID_NADKATEGORIE = p_id_kategorie AND lower(KATEGORIE) = lower(v_jmena[i])
      ORDER BY ID_KATEGORIE LIMIT 1;
    IF NOT FOUND THEN
      RETURN;
    END IF;
    p_id_kategorie := v_dalsi;
  END LOOP;
  p_cela := true;
END
$$
GO
-- The category of a path of names; where a name is missing, the last one found.
CREATE FUNCTION tab_kategorie_ID_KATEGORIE(p_path_kategorie varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT p_id_kategorie FROM tab_kategorie_func_PROJIT_CESTU(p_path_kategorie) $$
GO
-- The category of a path of names, 0 unless every name exists.
CREATE FUNCTION tab_kategorie_ID_KATEGORIE_EXISTUJE(p_path_kategorie varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT CASE WHEN p_cela THEN p_id_kategorie ELSE 0 END
        FROM tab_kategorie_func_PROJIT_CESTU(p_path_kategorie) $$
GO
-- A category may go under a target that exists, lies outside its own subtree
-- and has no child of the same name.
CREATE FUNCTION tab_kategorie_func_LZE_UMISTIT(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE sql STABLE
  AS $$ SELECT CASE WHEN EXISTS (SELECT 1 FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie_kam)
                     AND tab_kategorie_KATEGORIE_EXISTUJE_2(p_id_kategorie_kam,
                           tab_kategorie_func_KATEGORIE(p_id_kategorie_co)) = 0
                     AND EXISTS (SELECT 1 FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie_co)
                     AND NOT EXISTS (SELECT 1 FROM tab_kategorie_func_PREDKOVE(p_id_kategorie_kam)
                                     WHERE ID = p_id_kategorie_co)
                    THEN 1 ELSE 0 END $$
GO
CREATE FUNCTION tab_kategorie_LZE_KOPIROVAT_KATEGORII(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE sql STABLE
  AS $$ SELECT tab_kategorie_func_LZE_UMISTIT(p_id_kategorie_co, p_id_kategorie_kam) $$
GO
CREATE FUNCTION tab_kategorie_LZE_PRESUNOUT_KATEGORII(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE sql STABLE
  AS $$ SELECT tab_kategorie_func_LZE_UMISTIT(p_id_kategorie_co, p_id_kategorie_kam) $$
GO
-- Copies the children of a category, with their subtrees, under another one
-- that does not lie inside that subtree (the copy would copy itself forever).
CREATE FUNCTION tab_kategorie_KOPIROVAT_PODKATEGORIE(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_dite record;
  v_kopie integer;
BEGIN
  IF EXISTS (SELECT 1 FROM tab_kategorie_func_PREDKOVE(p_id_kategorie_kam) WHERE ID = p_id_kategorie_co) THEN
    RETURN 0;
  END IF;
  FOR v_dite IN SELECT ID_KATEGORIE, KATEGORIE, SPECIFIKACE FROM tab_kategorie
                WHERE ID_NADKATEGORIE = p_id_kategorie_co ORDER BY ID_KATEGORIE LOOP
    INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
      VALUES (p_id_kategorie_kam, v_dite.KATEGORIE, v_dite.SPECIFIKACE) RETURNING ID_KATEGORIE INTO v_kopie;
    IF tab_kategorie_KOPIROVAT_PODKATEGORIE(v_dite.ID_KATEGORIE, v_kopie) = 0 THEN
      RETURN 0;
    END IF;
  END LOOP;
  RETURN 1;
END
$$
GO
-- Tree changes are made one at a time, so two sessions cannot build a cycle.
-- A refused or failed change leaves the tree as it was and returns 0.
CREATE FUNCTION tab_kategorie_KOPIROVAT_KATEGORII(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_kopie integer;
BEGIN
  LOCK TABLE tab_kategorie IN SHARE ROW EXCLUSIVE MODE;
  IF tab_kategorie_LZE_KOPIROVAT_KATEGORII(p_id_kategorie_co, p_id_kategorie_kam) = 0 THEN
    RETURN 0;
  END IF;
  BEGIN
    INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
      SELECT p_id_kategorie_kam, KATEGORIE, SPECIFIKACE FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie_co
      RETURNING ID_KATEGORIE INTO v_kopie;
    IF tab_kategorie_KOPIROVAT_PODKATEGORIE(p_id_kategorie_co, v_kopie) = 0 THEN
      RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Kopírování kategorie neproběhlo...';
    END IF;
  EXCEPTION WHEN OTHERS THEN
    RETURN 0;
  END;
  RETURN p_id_kategorie_co;
END
$$
GO
-- The items' id paths follow the tree. A change of the tree that rewrites
-- them (a move, a removal) holds the paths alone; a writer that works an
-- item's path out from the tree (a card, an import) shares them to its
-- transaction's end, taken before it locks any item, so no path it works out
-- goes stale before it commits. The change first tries every store's lock
-- (see tab_polozka_func_ZAMKNOUT_SKLAD), as the other writers of items do:
-- a store another till replaces by an import may bring new items into any
-- category, and its items are locked. It is refused at once (SQLSTATE 55P03,
-- naming those stores) and waits outside its transaction; a till selling from
-- a store nobody replaces shares its store and never waits for it. Then it
-- waits for the writers sharing the paths: their transactions are short, and
-- none of them waits for anything the change holds. A store held alone by
-- this transaction (a replace-all import's rows) needs no share: no change of
-- the tree runs while it is held.
CREATE FUNCTION tab_kategorie_func_ZAMKNOUT_CESTY(p_vyhradne boolean) RETURNS void
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_cekani text;
BEGIN
  IF NOT p_vyhradne THEN
    PERFORM pg_advisory_xact_lock_shared(hashtext('tab_kategorie|CESTY'), 0);
    RETURN;
  END IF;
  PERFORM tab_polozka_func_SDILET_SKLADY(ARRAY(SELECT ID_SKLAD FROM tab_sklad ORDER BY ID_SKLAD));
  v_cekani := current_setting('lock_timeout');
  BEGIN
    PERFORM set_config('lock_timeout', coalesce(nullif(current_setting('tarmil.cekani', true), ''), '60s'), true);
    PERFORM pg_advisory_xact_lock(hashtext('tab_kategorie|CESTY'), 0);
    PERFORM set_config('lock_timeout', v_cekani, true);
  EXCEPTION WHEN lock_not_available THEN
    RAISE EXCEPTION USING ERRCODE = '55P03',
      MESSAGE = 'Jiná pokladna stále zapisuje položky (karta položky nebo import): '
                'nic nebylo zapsáno, zkuste to znovu, až zápis skončí.';
  END;
END
$$
GO
-- Moves a category under another; the id paths of the items in its subtree
-- follow.
CREATE FUNCTION tab_kategorie_PRESUNOUT_KATEGORII(p_id_kategorie_co integer, p_id_kategorie_kam integer)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_z varchar;
  v_do varchar;
BEGIN
  LOCK TABLE tab_kategorie IN SHARE ROW EXCLUSIVE MODE;
  IF tab_kategorie_LZE_PRESUNOUT_KATEGORII(p_id_kategorie_co, p_id_kategorie_kam) = 0 THEN
    RETURN 0;
  END IF;
  PERFORM tab_kategorie_func_ZAMKNOUT_CESTY(true);
  v_z := tab_kategorie_func_PATH_ID_KATEGORIE(p_id_kategorie_co);
  v_do := tab_kategorie_func_PATH_ID_KATEGORIE(p_id_kategorie_kam) || p_id_kategorie_co || '\';
  -- The items in the order of their keys, as a sale locks them: the two never wait in a circle.
  PERFORM 1 FROM tab_polozka WHERE starts_with(PATH_ID_KATEGORIE, v_z) ORDER BY ID_POLOZKA FOR UPDATE;
  UPDATE tab_polozka SET PATH_ID_KATEGORIE = v_do || substr(PATH_ID_KATEGORIE, length(v_z) + 1)
    WHERE starts_with(PATH_ID_KATEGORIE, v_z);
  UPDATE tab_kategorie SET ID_NADKATEGORIE = p_id_kategorie_kam WHERE ID_KATEGORIE = p_id_kategorie_co;
  IF NOT FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Přesunutí kategorie neproběhlo...';
  END IF;
  RETURN p_id_kategorie_co;
END
$$
GO
-- Removes the categories below one; their items fall back to the root.
CREATE FUNCTION tab_kategorie_ODEBRAT_PODKATEGORIE(p_id_kategorie integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_kategorie_func_ZAMKNOUT_CESTY(true);
  -- The items in the order of their keys, as a sale locks them (the category's own too, for its removal).
  PERFORM 1 FROM tab_polozka WHERE ID_KATEGORIE IN (SELECT ID FROM tab_kategorie_func_POTOMCI(p_id_kategorie))
    ORDER BY ID_POLOZKA FOR UPDATE;
  UPDATE tab_polozka SET ID_KATEGORIE = 1, PATH_ID_KATEGORIE = tab_kategorie_func_PATH_ID_KATEGORIE(1)
    WHERE ID_KATEGORIE IN (SELECT ID FROM tab_kategorie_func_POTOMCI(p_id_kategorie) WHERE ID <> p_id_kategorie);
  UPDATE tab_sklad SET ID_KATEGORIE = 1
    WHERE ID_KATEGORIE IN (SELECT ID FROM tab_kategorie_func_POTOMCI(p_id_kategorie) WHERE ID <> p_id_kategorie);
  DELETE FROM tab_kategorie
    WHERE ID_KATEGORIE IN (SELECT ID FROM tab_kategorie_func_POTOMCI(p_id_kategorie) WHERE ID <> p_id_kategorie);
  RETURN 1;
END
$$
GO
-- Removes a category with its subtree and returns its former parent (0 for
-- the root or a category no longer there). Its items fall back to the root,
-- and so do stores that opened with it. Whatever else stops it is raised
-- with its reason.
CREATE FUNCTION tab_kategorie_ODEBRAT_KATEGORII(p_id_kategorie integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_nad integer;
BEGIN
  LOCK TABLE tab_kategorie IN SHARE ROW EXCLUSIVE MODE;
  SELECT ID_NADKATEGORIE INTO v_nad FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie;
  IF v_nad IS NULL THEN
    RETURN 0; -- no such category, or the root
  END IF;
  PERFORM tab_kategorie_func_ZAMKNOUT_CESTY(true);
  PERFORM tab_kategorie_ODEBRAT_PODKATEGORIE(p_id_kategorie);
  UPDATE tab_polozka SET ID_KATEGORIE = 1, PATH_ID_KATEGORIE = tab_kategorie_func_PATH_ID_KATEGORIE(1)
    WHERE ID_KATEGORIE = p_id_kategorie;
  UPDATE tab_sklad SET ID_KATEGORIE = 1 WHERE ID_KATEGORIE = p_id_kategorie;
  DELETE FROM tab_kategorie WHERE ID_KATEGORIE = p_id_kategorie;
  IF NOT FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Odebrání kategorie neproběhlo...';
  END IF;
  RETURN v_nad;
END
$$
GO
CREATE FUNCTION tab_polozka_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka $$
GO
CREATE FUNCTION tab_polozka_REFERENCE(p_id_polozka integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_historie WHERE ID_POLOZKA = p_id_polozka AND ID_DOKLAD <> 0 $$
GO
-- Label, name and code are unique among the valid items of a store.
CREATE FUNCTION tab_polozka_OZNACENI_EXISTUJE(p_id_sklad integer, p_oznaceni varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND STATE_PLATNOST AND lower(OZNACENI) = lower(p_oznaceni) $$
GO
CREATE FUNCTION tab_polozka_OZNACENI_EXISTUJE_2(p_id_sklad integer, p_id_polozka integer,
    p_oznaceni varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND ID_POLOZKA <> p_id_polozka AND STATE_PLATNOST
          AND lower(OZNACENI) = lower(p_oznaceni) $$
GO
CREATE FUNCTION tab_polozka_POLOZKA_EXISTUJE(p_id_sklad integer, p_polozka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND STATE_PLATNOST AND lower(POLOZKA) = lower(p_polozka) $$
GO
CREATE FUNCTION tab_polozka_POLOZKA_EXISTUJE_2(p_id_sklad integer, p_id_polozka integer,
    p_polozka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND ID_POLOZKA <> p_id_polozka AND STATE_PLATNOST
          AND lower(POLOZKA) = lower(p_polozka) $$
GO
CREATE FUNCTION tab_polozka_KOD_EXISTUJE(p_id_sklad integer, p_kod varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND STATE_PLATNOST AND lower(KOD) = lower(p_kod) $$
GO
CREATE FUNCTION tab_polozka_KOD_EXISTUJE_2(p_id_sklad integer, p_id_polozka integer, p_kod varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_polozka
        WHERE ID_SKLAD = p_id_sklad AND ID_POLOZKA <> p_id_polozka AND STATE_PLATNOST
          AND lower(KOD) = lower(p_kod) $$
GO
-- The import's tests of a whole batch of values of one kind (1 label, 2 code,
-- 3 name) in one call: for each value in order "1" when its test above finds
-- it, else "0". One statement keeps the tests' plans for all the values.
CREATE FUNCTION tab_polozka_func_IMPORT_EXISTUJE(p_id_sklad integer, p_druh integer, p_hodnoty varchar[])
  RETURNS varchar LANGUAGE sql STABLE
  AS $$ SELECT coalesce(string_agg(CASE WHEN CASE p_druh WHEN 1 THEN tab_polozka_OZNACENI_EXISTUJE(p_id_sklad, h)
                                                         WHEN 2 THEN tab_polozka_KOD_EXISTUJE(p_id_sklad, h)
                                                         ELSE tab_polozka_POLOZKA_EXISTUJE(p_id_sklad, h) END > 0
                                        THEN '1' ELSE '0' END, '' ORDER BY n), '')
        FROM unnest(p_hodnoty) WITH ORDINALITY AS t(h, n) $$
GO
-- An import fills the items table faster than the server's own statistics
-- follow it; planned on a table it still thinks small, a test above may take
-- the store's index and read every item of the store. The import has the
-- statistics made anew as the table grows. Runs as the owner, who alone may,
-- on the shop's table whatever the caller's search path; for the shop's users.
CREATE FUNCTION tab_polozka_func_IMPORT_STATISTIKA() RETURNS integer
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp
  AS $$ BEGIN ANALYZE tab_polozka; RETURN 1; END $$;
REVOKE EXECUTE ON FUNCTION tab_polozka_func_IMPORT_STATISTIKA() FROM PUBLIC;
GO
-- Over all stores; a valid item before a removed one.
CREATE FUNCTION tab_polozka_ID_POLOZKA(p_polozka varchar) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT ID_POLOZKA FROM tab_polozka WHERE lower(POLOZKA) = lower(p_polozka)
                         ORDER BY STATE_PLATNOST DESC, ID_POLOZKA LIMIT 1), 0) $$
GO
CREATE FUNCTION tab_polozka_func_POLOZKA(p_id_polozka integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT POLOZKA FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka), '') $$
GO
CREATE FUNCTION tab_polozka_func_OZNACENI(p_id_polozka integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT coalesce((SELECT OZNACENI FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka), '') $$
GO
CREATE FUNCTION tab_polozka_NACIST_DLE_ID_POLOZKA(p_id_polozka integer,
    OUT p_id_sklad integer, OUT p_id_kategorie integer, OUT p_id_dodavatel integer, OUT p_id_dph integer,
    OUT p_id_jednotka integer, OUT p_path_id_kategorie varchar, OUT p_state_platnost boolean,
    OUT p_oznaceni varchar, OUT p_kod varchar, OUT p_polozka varchar, OUT p_specifikace varchar,
    OUT p_zaruka integer, OUT p_nakup numeric, OUT p_prodej numeric, OUT p_sleva integer,
    OUT p_mnozstvi real, OUT p_zasoba real, OUT p_minimum real, OUT p_nasobne boolean)
  LANGUAGE sql STABLE
  AS $$ SELECT ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, STATE_PLATNOST,
               OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA,
               MINIMUM, NASOBNE
        FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka $$
GO
-- The smallest whole number from 1 up that no valid item of the store has as
-- its label, zero-filled to the width (as it is when it does not fit). The
-- walk starts where the last one ended, or lower where a label was given up
-- since, and steps up through the index to the first number no valid item
-- has. Proposals take turns on the store's row, so each walks what the one
-- before wrote; the notes it has taken into account go.
CREATE FUNCTION tab_polozka_func_OZNACENI_NEJMENSI_VOLNE(p_id_sklad integer, p_oznaceni_zarovnani integer)
  RETURNS varchar LANGUAGE plpgsql
  AS $$
DECLARE
  v_od bigint;
  v_uvolnene bigint[];
  v_volne bigint;
BEGIN
  INSERT INTO interni.tab_oznaceni_od (ID_SKLAD, OD) VALUES (p_id_sklad, 1) ON CONFLICT DO NOTHING;
  SELECT OD INTO v_od FROM interni.tab_oznaceni_od WHERE ID_SKLAD = p_id_sklad FOR UPDATE;
  -- One statement, so one state of the store while other tills give labels
  -- up and take them: the notes it reads and the labels it walks are of the
  -- same moment; a label given up later stays noted for the next proposal.
  -- Each step looks one number up in the index, whatever the planner would
  -- think of a range of them.
  WITH RECURSIVE u AS (
    SELECT array_agg(ID_UVOLNENE) AS UVOLNENE, greatest(least(v_od, min(CISLO)), 1) AS OD
    FROM interni.tab_oznaceni_uvolnene WHERE ID_SKLAD = p_id_sklad
  ), krok (N) AS (
    SELECT OD FROM u
    UNION ALL
    SELECT k.N + 1 FROM krok k
    WHERE EXISTS (SELECT 1 FROM tab_polozka WHERE ID_SKLAD = p_id_sklad AND STATE_PLATNOST
                    AND OZNACENI ~ '^[0-9]{1,18}$' AND OZNACENI::bigint = k.N)
  )
  SELECT (SELECT UVOLNENE FROM u), (SELECT max(N) FROM krok) INTO v_uvolnene, v_volne;
  UPDATE interni.tab_oznaceni_od SET OD = v_volne WHERE ID_SKLAD = p_id_sklad AND OD <> v_volne;
  IF v_uvolnene IS NOT NULL THEN
    DELETE FROM interni.tab_oznaceni_uvolnene WHERE ID_UVOLNENE = ANY (v_uvolnene);
  END IF;
  RETURN coalesce(func_ZERO_ALIGN(v_volne::varchar, p_oznaceni_zarovnani), v_volne::varchar);
END
$$
GO
-- An item-log row: the item as it is now.
CREATE FUNCTION tab_polozka_HISTORIE(p_id_polozka integer, p_id_operace integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer;
BEGIN
  INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL,
      ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD,
      POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
    SELECT 0, ID_POLOZKA, p_id_operace, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, 1, ID_DPH, ID_JEDNOTKA, 0,
           '-', '-', OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA,
           MINIMUM, NASOBNE, uzivatel_func_AKTIVNI_LOGIN()
    FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka
    RETURNING ID_HISTORIE INTO v_id;
  IF v_id IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu záznamu do tab_historie.';
  END IF;
  RETURN v_id;
END
$$
GO
-- The stores other sessions hold alone (replace-all imports), granted or awaited.
CREATE FUNCTION tab_polozka_func_NAHRAZOVANE_SKLADY(p_jen_drzene boolean DEFAULT false) RETURNS SETOF integer
  LANGUAGE sql STABLE
  AS $$ SELECT DISTINCT objid::bigint::integer FROM pg_locks
        WHERE locktype = 'advisory' AND objsubid = 2 AND mode = 'ExclusiveLock' AND pid <> pg_backend_pid()
          AND (granted OR NOT p_jen_drzene)
          AND database = (SELECT oid FROM pg_database WHERE datname = current_database())
          AND classid::bigint = hashtext('tab_polozka|SKLAD')::bigint & 4294967295
        ORDER BY 1 $$
GO
CREATE FUNCTION tab_polozka_func_SKLAD_NAHRAZOVAN(p_id_sklad integer) RETURNS boolean
  LANGUAGE sql STABLE
  AS $$ SELECT p_id_sklad IN (SELECT tab_polozka_func_NAHRAZOVANE_SKLADY(true)) $$
GO
-- A store's lock, held until the transaction ends, taken before any lock of
-- its values. A replace-all import holds it alone (p_vyhradne) from its
-- removal to its end: nobody else writes the store's labels, codes and names
-- meanwhile, so it takes no locks of its values, however long its sheet.
-- Every other writer shares it and never waits for it inside its
-- transaction, where it may hold items locked that the import's removal
-- waits for: without p_cekat the lock is only tried (false when another
-- transaction holds or awaits it alone), and the writer waits for it after
-- its transaction ended, then writes again. Waiting gives up after a minute
-- (or the session's setting "tarmil.cekani", which tests shorten),
-- saying what held the store: a replace-all import, or (for a replace-all
-- import waiting) other tills writing its items.
CREATE FUNCTION tab_polozka_func_ZAMKNOUT_SKLAD(p_id_sklad integer, p_vyhradne boolean, p_cekat boolean)
  RETURNS boolean LANGUAGE plpgsql
  AS $$
DECLARE
  v_trida integer := hashtext('tab_polozka|SKLAD');
  v_sklad integer := coalesce(p_id_sklad, 0);
  v_cekani text;
BEGIN
  IF p_vyhradne IS NULL OR p_cekat IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Zámek skladu nelze vzít...',
      DETAIL = 'Není dáno, zda sklad držet samotný a zda na něj čekat.';
  END IF;
  IF current_setting('tarmil.vyhradni_sklad', true) = v_sklad::text THEN
    RETURN true;
  ELSIF NOT p_cekat AND NOT p_vyhradne THEN
    RETURN pg_try_advisory_xact_lock_shared(v_trida, v_sklad);
  ELSIF NOT p_cekat AND NOT pg_try_advisory_xact_lock(v_trida, v_sklad) THEN
    RETURN false;
  ELSIF p_cekat THEN
    v_cekani := current_setting('lock_timeout');
    BEGIN
      PERFORM set_config('lock_timeout', coalesce(nullif(current_setting('tarmil.cekani', true), ''), '60s'), true);
      IF p_vyhradne THEN
        PERFORM pg_advisory_xact_lock(v_trida, v_sklad);
      ELSE
        PERFORM pg_advisory_xact_lock_shared(v_trida, v_sklad);
      END IF;
      PERFORM set_config('lock_timeout', v_cekani, true);
    EXCEPTION WHEN lock_not_available THEN
      IF p_vyhradne AND NOT tab_polozka_func_SKLAD_NAHRAZOVAN(v_sklad) THEN
        RAISE EXCEPTION USING ERRCODE = '55P03',
          MESSAGE = 'Jiná pokladna stále zapisuje položky skladu (karta položky, prodej, storno nebo import): '
                    'nic nebylo zapsáno, zkuste to znovu, až zápis skončí.';
      END IF;
      RAISE EXCEPTION USING ERRCODE = '55P03',
        MESSAGE = 'Jiná pokladna stále importuje položky do skladu s odebráním původních záznamů: '
                  'nic nebylo zapsáno, zkuste to znovu, až import skončí.';
    END;
  END IF;
  IF p_vyhradne THEN
    PERFORM set_config('tarmil.vyhradni_sklad', v_sklad::text, true);
  END IF;
  RETURN true;
END
$$
GO
-- A writer's share of the locks of stores (see above), tried in the order of
-- their keys and refused at once with SQLSTATE 55P03 while another till's
-- replace-all import holds one of them. The refusal's detail names the
-- stores refused ("Sklady (ID): 3, 5"): the writer waits for those only.
CREATE FUNCTION tab_polozka_func_SDILET_SKLADY(p_sklady integer[]) RETURNS void
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_odmitnute integer[];
BEGIN
  SELECT array_agg(ID ORDER BY ID) INTO v_odmitnute
    FROM (SELECT DISTINCT coalesce(ID, 0) AS ID FROM unnest(p_sklady) AS t (ID) ORDER BY 1) s
    WHERE NOT tab_polozka_func_ZAMKNOUT_SKLAD(ID, false, false);
  IF v_odmitnute IS NOT NULL THEN
    RAISE EXCEPTION USING ERRCODE = '55P03',
      MESSAGE = 'Jiná pokladna právě importuje položky do skladu s odebráním původních záznamů.',
      DETAIL = 'Sklady (ID): ' || array_to_string(v_odmitnute, ', ');
  END IF;
END
$$
GO
CREATE FUNCTION tab_polozka_func_SDILET_SKLAD(p_id_sklad integer) RETURNS void
  LANGUAGE sql
  AS $$ SELECT tab_polozka_func_SDILET_SKLADY(ARRAY[p_id_sklad]) $$
GO
-- The locks of the values below: one per store, kind and lowercased value,
-- held until the transaction ends, taken in the order of their keys after
-- the store's lock. Whoever writes several values at once (an item, a batch
-- of the import, the items a cancellation brings back) takes them all in one
-- call, so two writers never wait for each other. Empty values take none,
-- and a store held alone by this transaction needs none. Gives the number
-- taken. A store another till's replace-all import holds is refused at once
-- (SQLSTATE 55P03): the caller waits for it outside its transaction.
CREATE FUNCTION tab_polozka_func_ZAMKNOUT(p_id_sklad integer, p_oznaceni varchar[], p_kod varchar[],
    p_polozka varchar[]) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_klic bigint;
  v_pocet integer := 0;
BEGIN
  IF current_setting('tarmil.vyhradni_sklad', true) = p_id_sklad::text THEN
    RETURN 0;
  END IF;
  PERFORM tab_polozka_func_SDILET_SKLAD(p_id_sklad);
  FOR v_klic IN
    SELECT DISTINCT hashtextextended(format('tab_polozka|%s|%s|%s', v.DRUH, p_id_sklad, lower(v.HODNOTA)), 0)
      FROM (SELECT 'OZNACENI', unnest(p_oznaceni) UNION ALL SELECT 'KOD', unnest(p_kod)
            UNION ALL SELECT 'POLOZKA', unnest(p_polozka)) v (DRUH, HODNOTA)
      WHERE coalesce(v.HODNOTA, '') <> ''
      ORDER BY 1
  LOOP
    PERFORM pg_advisory_xact_lock(v_klic);
    v_pocet := v_pocet + 1;
  END LOOP;
  RETURN v_pocet;
END
$$
GO
-- Waits, outside any transaction of the caller, until no other till holds or
-- awaits alone the stores a write was refused for (p_sklady; every such
-- store when NULL): the writer then writes again. A store another till
-- replaces is no reason to wait for one it does not. Gives the number of
-- stores waited for; gives up after a minute, as the store's lock does.
CREATE FUNCTION tab_polozka_func_CEKAT_NA_SKLADY(p_sklady integer[] DEFAULT NULL) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_sklad integer;
  v_pocet integer := 0;
BEGIN
  FOR v_sklad IN
    SELECT DISTINCT ID FROM (SELECT unnest(p_sklady) UNION ALL SELECT tab_polozka_func_NAHRAZOVANE_SKLADY()
                             WHERE p_sklady IS NULL) t (ID)
      WHERE ID IS NOT NULL ORDER BY 1
  LOOP
    PERFORM tab_polozka_func_ZAMKNOUT_SKLAD(v_sklad, false, true);
    v_pocet := v_pocet + 1;
  END LOOP;
  RETURN v_pocet;
END
$$
GO
-- With its setting on, an item's label, code or name stays unique among the
-- valid items of its store however many tills write at once: the test and
-- the write are one step. The till first takes a lock keyed on the store and
-- the lowercased value, held until its transaction ends, and only then looks,
-- so a till writing the same value meanwhile waits and then sees it. The
-- locks are taken in one order: two tills never wait for each other. An empty
-- value is never taken. p_id_polozka is the edited item (NULL for a new one).
CREATE FUNCTION tab_polozka_func_JEDINECNE(p_id_sklad integer, p_id_polozka integer, p_oznaceni varchar,
    p_kod varchar, p_polozka varchar, p_oznaceni_povinne boolean, p_kod_povinne boolean,
    p_polozka_povinne boolean) RETURNS void
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_id integer := coalesce(p_id_polozka, 0);
BEGIN
  PERFORM tab_polozka_func_ZAMKNOUT(p_id_sklad, CASE WHEN p_oznaceni_povinne THEN ARRAY[p_oznaceni] END,
                                    CASE WHEN p_kod_povinne THEN ARRAY[p_kod] END,
                                    CASE WHEN p_polozka_povinne THEN ARRAY[p_polozka] END);
  IF p_oznaceni_povinne AND coalesce(p_oznaceni, '') <> ''
     AND tab_polozka_OZNACENI_EXISTUJE_2(p_id_sklad, v_id, p_oznaceni) > 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Označení položky již existuje...';
  END IF;
  IF p_kod_povinne AND coalesce(p_kod, '') <> '' AND tab_polozka_KOD_EXISTUJE_2(p_id_sklad, v_id, p_kod) > 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = CASE WHEN p_id_polozka IS NULL THEN 'Kód již existuje...' ELSE 'Existující kód...' END;
  END IF;
  IF p_polozka_povinne AND coalesce(p_polozka, '') <> ''
     AND tab_polozka_POLOZKA_EXISTUJE_2(p_id_sklad, v_id, p_polozka) > 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Existující položka...';
  END IF;
END
$$
GO
-- Writes an item from its values and the names of its store, category path,
-- supplier, VAT rate and unit: a new item when p_id_polozka is NULL, else the
-- item with that id; then logs it with the operation. The values whose
-- _POVINNE flag is set are first tested as unique in the store.
CREATE FUNCTION tab_polozka_func_ZAPSAT(p_id_polozka integer, p_id_operace integer,
    p_oznaceni varchar, p_kod varchar, p_polozka varchar, p_specifikace varchar, p_zaruka integer,
    p_sklad varchar, p_kategorie varchar, p_dodavatel varchar, p_dph numeric, p_nakup numeric,
    p_prodej numeric, p_sleva integer, p_mnozstvi numeric, p_zasoba numeric, p_jednotka varchar,
    p_minimum numeric, p_nasobne boolean, p_oznaceni_povinne boolean DEFAULT false,
    p_kod_povinne boolean DEFAULT false, p_polozka_povinne boolean DEFAULT false) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  -- The names are looked up by statements of this function, whose plans the
  -- session keeps: the lookup functions, called from here, would be planned
  -- anew at every call (an import writes many items).
  v_sklad integer := coalesce((SELECT ID_SKLAD FROM tab_sklad WHERE lower(SKLAD) = lower(p_sklad)), 0);
  v_kategorie integer;
  v_cela boolean;
  v_dodavatel integer := coalesce((SELECT ID_KONTAKT FROM tab_kontakt WHERE lower(KONTAKT) = lower(p_dodavatel)), 0);
  v_dph integer := coalesce((SELECT ID_DPH FROM tab_dph WHERE DPH = p_dph::real), 0);
  v_jednotka integer := coalesce((SELECT ID_JEDNOTKA FROM tab_jednotka WHERE lower(JEDNOTKA) = lower(p_jednotka)), 0);
  v_cesta varchar;
  v_id integer;
BEGIN
  -- The path is worked out under the paths' share (see tab_kategorie_func_ZAMKNOUT_CESTY).
  IF current_setting('tarmil.vyhradni_sklad', true) IS DISTINCT FROM v_sklad::text THEN
    PERFORM tab_kategorie_func_ZAMKNOUT_CESTY(false);
  END IF;
  SELECT p_id_kategorie, p_cela INTO v_kategorie, v_cela FROM tab_kategorie_func_PROJIT_CESTU(p_kategorie);
  -- An imported row names a category that must exist, not the nearest one found.
  IF p_id_operace = 8 AND NOT v_cela THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Kategorie položky nenalezena, musí existovat v databázi kategoriií', DETAIL = p_kategorie;
  END IF;
  v_cesta := (SELECT CASE WHEN bool_or(ID = 1) THEN string_agg(ID::text || '\', '' ORDER BY HLOUBKA DESC) END
              FROM tab_kategorie_func_PREDKOVE(v_kategorie));
  PERFORM func_KONTROLA_CISEL('Chyba při zápisu záznamu do tab_polozka.', p_dph, p_nakup, p_prodej, p_mnozstvi,
                              p_zasoba, p_minimum);
  IF 0 IN (v_sklad, v_dodavatel, v_dph, v_jednotka) THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu záznamu do tab_polozka.',
      DETAIL = format('Neznámý sklad, dodavatel, sazba DPH nebo jednotka (%s, %s, %s, %s).',
                      p_sklad, p_dodavatel, p_dph, p_jednotka);
  END IF;
  PERFORM tab_polozka_func_JEDINECNE(v_sklad, p_id_polozka, p_oznaceni, p_kod, p_polozka,
                                     coalesce(p_oznaceni_povinne, false), coalesce(p_kod_povinne, false),
                                     coalesce(p_polozka_povinne, false));
  IF p_id_polozka IS NULL THEN
    INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE,
        OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)
      VALUES (v_sklad, v_kategorie, v_dodavatel, v_dph, v_jednotka,
              v_cesta, p_oznaceni, p_kod, p_polozka, p_specifikace,
              p_zaruka, p_nakup, p_prodej, p_sleva, p_mnozstvi, p_zasoba, p_minimum, p_nasobne)
      RETURNING ID_POLOZKA INTO v_id;
  ELSE
    UPDATE tab_polozka
      SET ID_SKLAD = v_sklad, ID_KATEGORIE = v_kategorie, ID_DODAVATEL = v_dodavatel, ID_DPH = v_dph,
          ID_JEDNOTKA = v_jednotka, PATH_ID_KATEGORIE = v_cesta,
          OZNACENI = p_oznaceni, KOD = p_kod, POLOZKA = p_polozka, SPECIFIKACE = p_specifikace,
          ZARUKA = p_zaruka, NAKUP = p_nakup, PRODEJ = p_prodej, SLEVA = p_sleva, MNOZSTVI = p_mnozstvi,
          ZASOBA = p_zasoba, MINIMUM = p_minimum, NASOBNE = p_nasobne
      WHERE ID_POLOZKA = p_id_polozka
      RETURNING ID_POLOZKA INTO v_id;
  END IF;
  IF v_id IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu záznamu do tab_polozka.';
  END IF;
  PERFORM tab_polozka_HISTORIE(v_id, p_id_operace);
  RETURN v_id;
END
$$
GO
CREATE FUNCTION tab_polozka_NOVA_POLOZKA(p_oznaceni varchar, p_kod varchar, p_polozka varchar,
    p_specifikace varchar, p_zaruka integer, p_sklad varchar, p_kategorie varchar, p_dodavatel varchar,
    p_dph numeric, p_nakup numeric, p_prodej numeric, p_sleva integer, p_mnozstvi numeric, p_zasoba numeric,
    p_jednotka varchar, p_minimum numeric, p_nasobne boolean, p_oznaceni_povinne boolean DEFAULT false,
    p_kod_povinne boolean DEFAULT false, p_polozka_povinne boolean DEFAULT false) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT tab_polozka_func_ZAPSAT(NULL, 7, p_oznaceni, p_kod, p_polozka, p_specifikace, p_zaruka,
          p_sklad, p_kategorie, p_dodavatel, p_dph, p_nakup, p_prodej, p_sleva, p_mnozstvi, p_zasoba,
          p_jednotka, p_minimum, p_nasobne, p_oznaceni_povinne, p_kod_povinne, p_polozka_povinne) $$
GO
CREATE FUNCTION tab_polozka_IMPORT_POLOZKY(p_oznaceni varchar, p_kod varchar, p_polozka varchar,
    p_specifikace varchar, p_zaruka integer, p_sklad varchar, p_kategorie varchar, p_dodavatel varchar,
    p_dph numeric, p_nakup numeric, p_prodej numeric, p_sleva integer, p_mnozstvi numeric, p_zasoba numeric,
    p_jednotka varchar, p_minimum numeric, p_nasobne boolean, p_oznaceni_povinne boolean DEFAULT false,
    p_kod_povinne boolean DEFAULT false, p_polozka_povinne boolean DEFAULT false) RETURNS integer
  LANGUAGE sql
  AS $$ SELECT tab_polozka_func_ZAPSAT(NULL, 8, p_oznaceni, p_kod, p_polozka, p_specifikace, p_zaruka,
          p_sklad, p_kategorie, p_dodavatel, p_dph, p_nakup, p_prodej, p_sleva, p_mnozstvi, p_zasoba,
          p_jednotka, p_minimum, p_nasobne, p_oznaceni_povinne, p_kod_povinne, p_polozka_povinne) $$
GO
-- What a screen that edits an item compares: every value of the item but its
-- stock, which sales change all the time and which an edit writes as a change.
CREATE FUNCTION tab_polozka_func_VERZE(p_id_polozka integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$ SELECT md5(ROW(ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE,
                       STATE_PLATNOST, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA,
                       ZASOBA, MINIMUM, NASOBNE)::text)
        FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka $$
GO
-- An item as the item card shows it (store, category path, supplier and unit
-- by name, VAT by rate), with its version; all NULL when there is no such item.
CREATE FUNCTION tab_polozka_NACIST_POLOZKU(p_id_polozka integer,
    OUT p_oznaceni varchar, OUT p_kod varchar, OUT p_polozka varchar, OUT p_specifikace varchar,
    OUT p_zaruka integer, OUT p_dph numeric, OUT p_sklad varchar, OUT p_kategorie varchar,
    OUT p_dodavatel varchar, OUT p_nakup numeric, OUT p_prodej numeric, OUT p_sleva integer,
    OUT p_mnozstvi numeric, OUT p_zasoba numeric, OUT p_jednotka varchar, OUT p_minimum numeric,
    OUT p_nasobne boolean, OUT p_verze varchar)
  LANGUAGE sql STABLE
  AS $$ SELECT p.OZNACENI, p.KOD, p.POLOZKA, p.SPECIFIKACE, p.ZARUKA, round(d.DPH::float8::numeric, 4),
               s.SKLAD, tab_kategorie_func_PATH_KATEGORIE(p.ID_KATEGORIE), k.KONTAKT, p.NAKUP, p.PRODEJ,
               p.SLEVA, func_MNOZSTVI_PRESNE(p.MNOZSTVI), func_MNOZSTVI_PRESNE(p.ZASOBA), j.JEDNOTKA,
               func_MNOZSTVI_PRESNE(p.MINIMUM), p.NASOBNE, tab_polozka_func_VERZE(p.ID_POLOZKA)
        FROM tab_polozka p
          JOIN tab_dph d ON d.ID_DPH = p.ID_DPH
          JOIN tab_sklad s ON s.ID_SKLAD = p.ID_SKLAD
          JOIN tab_kontakt k ON k.ID_KONTAKT = p.ID_DODAVATEL
          JOIN tab_jednotka j ON j.ID_JEDNOTKA = p.ID_JEDNOTKA
        WHERE p.ID_POLOZKA = p_id_polozka $$
GO
-- An edit from what a screen read when it opened: p_mnozstvi_puvodni is the
-- stock it read, so the stock moves by the difference the user made and what
-- other tills sold meanwhile stays counted; p_verze is the version it read,
-- and an item another till changed since is not written over. Without them
-- the values are written as given.
CREATE FUNCTION tab_polozka_EDITOVAT_POLOZKU(p_id_polozka integer, p_oznaceni varchar, p_kod varchar,
    p_polozka varchar, p_specifikace varchar, p_zaruka integer, p_sklad varchar, p_kategorie varchar,
    p_dodavatel varchar, p_dph numeric, p_nakup numeric, p_prodej numeric, p_sleva integer,
    p_mnozstvi numeric, p_zasoba numeric, p_jednotka varchar, p_minimum numeric, p_nasobne boolean,
    p_mnozstvi_puvodni numeric DEFAULT NULL, p_verze varchar DEFAULT NULL,
    p_oznaceni_povinne boolean DEFAULT false, p_kod_povinne boolean DEFAULT false,
    p_polozka_povinne boolean DEFAULT false)
  RETURNS integer LANGUAGE plpgsql
  AS $$
DECLARE
  v_mnozstvi numeric := p_mnozstvi;
  v_stav numeric;
BEGIN
  -- The store first: a replace-all import holding it has the item locked.
  -- Then the category paths, before the item (tab_kategorie_func_ZAMKNOUT_CESTY).
  PERFORM tab_polozka_func_SDILET_SKLAD((SELECT ID_SKLAD FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka));
  PERFORM tab_kategorie_func_ZAMKNOUT_CESTY(false);
  SELECT func_MNOZSTVI_PRESNE(MNOZSTVI) INTO v_stav FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka FOR UPDATE;
  IF p_verze IS NOT NULL AND v_stav IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Položka již v databázi není: mezitím ji odebrala jiná pokladna.';
  END IF;
  IF p_verze IS NOT NULL AND p_verze <> tab_polozka_func_VERZE(p_id_polozka) THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Položku mezitím změnila jiná pokladna: nic nebylo zapsáno, otevřete ji znovu.';
  END IF;
  IF p_mnozstvi_puvodni IS NOT NULL AND v_stav IS NOT NULL THEN
    v_mnozstvi := v_stav + (p_mnozstvi - p_mnozstvi_puvodni);
    IF v_mnozstvi < 0 THEN
      RAISE EXCEPTION USING ERRCODE = '50000',
        MESSAGE = format('Množství by kleslo pod nulu: na skladě je nyní %s.', v_stav);
    END IF;
  END IF;
  RETURN tab_polozka_func_ZAPSAT(coalesce(p_id_polozka, 0), 9, p_oznaceni, p_kod, p_polozka,
           p_specifikace, p_zaruka, p_sklad, p_kategorie, p_dodavatel, p_dph, p_nakup, p_prodej, p_sleva,
           v_mnozstvi, p_zasoba, p_jednotka, p_minimum, p_nasobne, p_oznaceni_povinne, p_kod_povinne,
           p_polozka_povinne);
END
$$
GO
-- An item that documents refer to stays, invalid and with no stock; any other
-- goes with its log. The item is locked first so that a sale committing at the
-- same moment is seen; its store before it (see tab_polozka_EDITOVAT_POLOZKU).
CREATE FUNCTION tab_polozka_ODEBRAT_POLOZKU(p_id_polozka integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_polozka_func_SDILET_SKLAD((SELECT ID_SKLAD FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka));
  PERFORM 1 FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka FOR UPDATE;
  IF tab_polozka_REFERENCE(p_id_polozka) > 0 THEN
    PERFORM tab_polozka_HISTORIE(p_id_polozka, 10);
    UPDATE tab_polozka SET STATE_PLATNOST = false, MNOZSTVI = 0 WHERE ID_POLOZKA = p_id_polozka;
    IF NOT FOUND THEN
      RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu záznamu do tab_polozka.';
    END IF;
  ELSE
    DELETE FROM tab_polozka WHERE ID_POLOZKA = p_id_polozka;
    IF NOT FOUND THEN
      RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při umazávání záznamu z tab_polozka.';
    END IF;
    BEGIN
      DELETE FROM tab_historie WHERE ID_POLOZKA = p_id_polozka AND ID_DOKLAD = 0;
    EXCEPTION WHEN OTHERS THEN
      RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při umazávání záznamu(ů) z tab_historie.';
    END;
  END IF;
  RETURN p_id_polozka;
END
$$
GO
-- Empties a store: unsold items go with their log, sold ones stay invalid
-- with no stock. Document lines are never removed. The store is held alone
-- to the end of the transaction (a replace-all import's).
CREATE FUNCTION tab_polozka_ODEBRAT_POLOZKY(p_id_sklad integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_polozka_func_ZAMKNOUT_SKLAD(p_id_sklad, true, true);
  PERFORM 1 FROM tab_polozka WHERE ID_SKLAD = p_id_sklad ORDER BY ID_POLOZKA FOR UPDATE;
  DELETE FROM tab_polozka p WHERE p.ID_SKLAD = p_id_sklad
    AND NOT EXISTS (SELECT 1 FROM tab_historie h WHERE h.ID_POLOZKA = p.ID_POLOZKA AND h.ID_DOKLAD <> 0);
  DELETE FROM tab_historie h WHERE h.ID_DOKLAD = 0
    AND NOT EXISTS (SELECT 1 FROM tab_polozka p WHERE p.ID_POLOZKA = h.ID_POLOZKA);
  PERFORM tab_polozka_HISTORIE(ID_POLOZKA, 10) FROM tab_polozka WHERE ID_SKLAD = p_id_sklad ORDER BY ID_POLOZKA;
  -- The basket lines of the items kept go at once, not item by item through
  -- trigger_KOSIK_NEPLATNE (the store is held alone: no till adds a line
  -- meanwhile).
  PERFORM tab_prodej_func_ODEBRAT_POLOZKY(
    ARRAY(SELECT ID_POLOZKA FROM tab_polozka WHERE ID_SKLAD = p_id_sklad AND STATE_PLATNOST));
  PERFORM set_config('tarmil.kosik_odebran', 'ano', true);
  UPDATE tab_polozka SET STATE_PLATNOST = false, MNOZSTVI = 0 WHERE ID_SKLAD = p_id_sklad;
  PERFORM set_config('tarmil.kosik_odebran', '', true);
  RETURN 1;
END
$$
GO
-- Removes basket rows whose session has ended: no live session has the
-- process id, or the live one started after the row was written (the id was
-- reused). Sessions of other users whose start time is hidden keep their rows.
-- The sessions are visited through the index one process id at a time, so the
-- cost grows with the number of sessions that have a basket, not with the
-- rows in the baskets. This session's own rows are all its own once it has
-- purged (see tab_prodej_func_VYCISTIT_SEZENI): a till alone then costs no
-- look at the server's sessions.
CREATE FUNCTION tab_prodej_func_VYCISTIT() RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_pid integer := (SELECT min(ID_PROCESS) FROM tab_prodej);
  v_vlastni integer := CASE WHEN current_setting('tarmil.kosik_vycisten', true) = 'ano' THEN pg_backend_pid() END;
  v_start timestamptz;
  v_smazano integer := 0;
  v_pocet integer;
BEGIN
  WHILE v_pid IS NOT NULL LOOP
    IF v_pid IS DISTINCT FROM v_vlastni THEN
      SELECT a.backend_start INTO v_start FROM pg_stat_get_activity(v_pid) a;
      IF NOT FOUND THEN
        DELETE FROM tab_prodej WHERE ID_PROCESS = v_pid;
        GET DIAGNOSTICS v_pocet = ROW_COUNT;
        v_smazano := v_smazano + v_pocet;
      ELSIF v_start > (SELECT min(ZALOZENO) FROM tab_prodej WHERE ID_PROCESS = v_pid) THEN
        DELETE FROM tab_prodej WHERE ID_PROCESS = v_pid AND ZALOZENO < v_start;
        GET DIAGNOSTICS v_pocet = ROW_COUNT;
        v_smazano := v_smazano + v_pocet;
      END IF;
    END IF;
    v_pid := (SELECT min(ID_PROCESS) FROM tab_prodej WHERE ID_PROCESS > v_pid);
  END LOOP;
  RETURN v_smazano;
END
$$
GO
-- Once per session, before its first basket call: the rows that an ended
-- session left under this session's process id go (with every other ended
-- session's rows), so none is ever inherited. A mark in the session's own
-- settings says it was done; it is undone with the transaction that set it, so
-- a purge rolled back is made again. Later calls cost no purge: no ended
-- session can write under a live session's process id.
CREATE FUNCTION tab_prodej_func_VYCISTIT_SEZENI() RETURNS void
  LANGUAGE plpgsql
  AS $$
BEGIN
  IF current_setting('tarmil.kosik_vycisten', true) IS DISTINCT FROM 'ano' THEN
    PERFORM tab_prodej_func_VYCISTIT();
    PERFORM set_config('tarmil.kosik_vycisten', 'ano', false);
  END IF;
END
$$
GO
-- The caller's basket rows.
CREATE FUNCTION tab_prodej_POCET() RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_prodej_func_VYCISTIT();
  RETURN (SELECT count(*) FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid());
END
$$
GO
CREATE FUNCTION tab_prodej_func_MNOZSTVI(p_id_polozka integer) RETURNS real
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_prodej_func_VYCISTIT_SEZENI();
  RETURN coalesce((SELECT sum(MNOZSTVI) FROM tab_prodej
                   WHERE ID_PROCESS = pg_backend_pid() AND ID_POLOZKA = p_id_polozka), 0);
END
$$
GO
-- Why an item cannot be sold from a basket: it has gone from the database,
-- or it was removed from the catalogue (kept, as documents name it), most
-- often replaced by a replace-all import that brought a new item of its
-- label. NULL for an item in the catalogue.
CREATE FUNCTION tab_prodej_func_ODEBRANA(p_id_polozka integer) RETURNS varchar
  LANGUAGE sql STABLE
  AS $$
  SELECT CASE
    WHEN p.ID_POLOZKA IS NULL THEN
      format('Položka (číslo %s) již v databázi není: mezitím ji odebrala jiná pokladna.', p_id_polozka)
    WHEN n.ID_POLOZKA IS NOT NULL THEN
      format('Položka [%s] %s byla nahrazena importem a v katalogu již není; nyní se prodává nová položka [%s] %s.',
             p.OZNACENI, p.POLOZKA, n.OZNACENI, n.POLOZKA)
    ELSE format('Položka [%s] %s byla odebrána z katalogu.', p.OZNACENI, p.POLOZKA) END
  FROM (SELECT p_id_polozka) i
    LEFT JOIN tab_polozka p ON p.ID_POLOZKA = p_id_polozka
    LEFT JOIN LATERAL (SELECT ID_POLOZKA, OZNACENI, POLOZKA FROM tab_polozka n
                       WHERE n.ID_SKLAD = p.ID_SKLAD AND lower(n.OZNACENI) = lower(p.OZNACENI) AND n.STATE_PLATNOST
                       ORDER BY n.ID_POLOZKA DESC LIMIT 1) n ON true
  WHERE p.STATE_PLATNOST IS NOT TRUE
$$
GO
CREATE FUNCTION tab_prodej_PRIDAT_EDITOVAT(p_id_polozka integer, p_sleva integer, p_mnozstvi numeric,
    p_absolutne boolean) RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  -- The checks cost no query while they pass: a basket line is one statement.
  IF NOT (p_mnozstvi > '-Infinity' AND p_mnozstvi < 'Infinity') THEN
    PERFORM func_KONTROLA_CISEL('Chyba při zápisu do tab_prodej [záznam košíku]...', p_mnozstvi);
  END IF;
  IF current_setting('tarmil.kosik_vycisten', true) IS DISTINCT FROM 'ano' THEN
    PERFORM tab_prodej_func_VYCISTIT_SEZENI();
  END IF;
  -- Only an item of the catalogue gets a line (a till's list may be older
  -- than another till's removal), in the same statement. The item's store
  -- is tried, as a sale tries it: a replace-all import holding it is refused
  -- at once, to be waited for outside, and its removal then seen here. The
  -- item's row is not locked: a lock would be written to the server's log,
  -- and the line, which the log never holds, would wait for the disk. A
  -- removal of a single item committing at the very moment may so leave the
  -- line behind; the till takes it out as the line leaves its list (see
  -- tab_prodej_PRODAT for one it never showed).
  INSERT INTO tab_prodej AS k (ID_POLOZKA, SLEVA, MNOZSTVI)
    SELECT p_id_polozka, p_sleva, p_mnozstvi FROM tab_polozka p
    WHERE p.ID_POLOZKA = p_id_polozka AND p.STATE_PLATNOST
      AND CASE WHEN pg_try_advisory_xact_lock_shared(hashtext('tab_polozka|SKLAD'), p.ID_SKLAD) THEN true
               ELSE (SELECT true FROM tab_polozka_func_SDILET_SKLAD(p.ID_SKLAD)) END
    ON CONFLICT (ID_PROCESS, ID_POLOZKA) DO UPDATE
    SET SLEVA = p_sleva,
        MNOZSTVI = CASE WHEN p_absolutne THEN p_mnozstvi ELSE func_MNOZSTVI_PRESNE(k.MNOZSTVI) + p_mnozstvi END;
  IF NOT FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = coalesce(tab_prodej_func_ODEBRANA(p_id_polozka), 'Položka již v databázi není.')
                || ' Do košíku ji přidat nelze.';
  END IF;
  RETURN p_id_polozka;
END
$$
GO
CREATE FUNCTION tab_prodej_ODEBRAT(p_id_polozka integer) RETURNS integer
  LANGUAGE plpgsql
  AS $$
BEGIN
  PERFORM tab_prodej_func_VYCISTIT_SEZENI();
  DELETE FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid() AND ID_POLOZKA = p_id_polozka;
  RETURN CASE WHEN FOUND THEN p_id_polozka ELSE 0 END;
END
$$
GO
-- The total to pay of a document whose lines, each as printed (its price
-- after its discount rounded to the haler), add up to the sum: the sum less
-- the document's discount on it (rounded to the haler), rounded to whole
-- units. So the rounding the document prints is never more than half a unit.
CREATE FUNCTION tab_doklad_func_K_UHRADE(p_soucet numeric, p_sleva integer) RETURNS numeric
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT round(p_soucet - round(p_soucet * p_sleva / 100, 2), 0) $$
GO
-- What a document moves into the till: its total to pay from its lines.
CREATE FUNCTION tab_doklad_func_CASTKA(p_id_doklad integer) RETURNS numeric
  LANGUAGE sql STABLE
  AS $$ SELECT tab_doklad_func_K_UHRADE(
                 sum(round((100.0 - h.SLEVA) / 100 * h.PRODEJ * func_MNOZSTVI_PRESNE(h.MNOZSTVI), 2)), d.SLEVA)
        FROM tab_doklad d JOIN tab_historie h ON h.ID_DOKLAD = d.ID_DOKLAD
        WHERE d.ID_DOKLAD = p_id_doklad
        GROUP BY d.SLEVA $$
GO
-- Sells the caller's basket as a document of the kind (1 cash receipt,
-- 2 invoice, 3 delivery note). Runs inside the caller's transaction, which
-- rolls everything back on an error. The basket is read once; the rest works
-- from what was read. p_radku, when given, is the number of lines the till
-- shows: a basket that lost lines meanwhile (their items left the catalogue)
-- is not sold short of them. The basket's rows are taken out after the
-- items are locked: a till removing an item holds it first and then takes
-- its lines out of every basket, so the two never wait for each other.
-- The items are locked in the order of their keys as their stock is moved
-- (so sessions selling at once never wait for each other in a circle) and
-- their stock is checked on them as they stand once locked (the server
-- checks a row changed meanwhile again), so sessions never sell the same
-- stock twice. The numbering series is locked
-- after the stock, by the advance of its counters, which gives the numbers,
-- and holds until the commit: the numbers stay without gaps. Every statement
-- reaches its rows by their keys: the planner would otherwise read through
-- tables that looked small when the session first planned them and have
-- grown since (the basket's most of all, where every sale leaves rows for
-- the vacuum). Each statement keeps one plan for the session rather than
-- being planned again for the items of every sale, and reaches the few rows
-- of a sale one key at a time (no bitmaps, hash tables or sorted runs built
-- for them): a join walks its first list in order and looks each row's
-- partner up by its key.
CREATE FUNCTION tab_prodej_PRODAT(p_id_operace integer, p_tisk boolean, p_odberatel varchar, p_sleva integer,
    p_radku integer DEFAULT NULL)
  RETURNS integer LANGUAGE plpgsql
  SET enable_seqscan = off
  SET plan_cache_mode = force_generic_plan
  SET enable_bitmapscan = off
  SET enable_hashjoin = off
  SET enable_mergejoin = off
  AS $$
DECLARE
  v_doklad integer;
  v_netisteny varchar;
  v_vytisteny varchar;
  v_radky integer;
  v_spatne integer;
  v_odberatel integer;
  v_cizi boolean;
  v_vyskladneno integer;
  v_vyskladnene integer[];
  v_chybi text;
  v_malo boolean;
  v_sirotci integer := 0;
  v_zapsano integer;
  v_prodej numeric;
  v_polozky integer[];
  v_slevy smallint[];
  v_mnozstvi real[];
BEGIN
  -- This session's rows are all its own once it has purged.
  IF current_setting('tarmil.kosik_vycisten', true) IS DISTINCT FROM 'ano' THEN
    PERFORM tab_prodej_func_VYCISTIT_SEZENI();
  END IF;
  -- The basket read in its order (sorted once, gathered in that
  -- order), the customer, whether other sessions have rows (only then can
  -- ended sessions' rows be there to purge), and the stock moved with what
  -- the lines come to as tab_doklad_func_CASTKA adds it up (the prices cannot
  -- change while the items are locked), each line as printed. The stock is
  -- moved in the order of the items' keys, each item reached and locked by
  -- its key, however the planner guesses the basket's size. Each item's
  -- store is tried (shared, the key of tab_polozka_func_ZAMKNOUT_SKLAD) as
  -- the item is reached, before its row is locked: a replace-all import
  -- holding the store has its items locked, and the sale is refused at once
  -- (SQLSTATE 55P03) to wait for it outside its transaction. A store this
  -- sale holds already is granted by the session itself, next to nothing a
  -- line, and the basket is read once. What was wrong with the basket is
  -- refused after the statement: the refusal takes the moved stock back.
  WITH k AS (SELECT ID_PRODEJ, ID_POLOZKA, SLEVA, MNOZSTVI FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid()),
  s AS MATERIALIZED (SELECT ID_POLOZKA, SLEVA, func_MNOZSTVI_PRESNE(MNOZSTVI) AS MNOZSTVI FROM k
                     ORDER BY ID_POLOZKA),
  u AS (UPDATE tab_polozka p SET MNOZSTVI = func_MNOZSTVI_PRESNE(p.MNOZSTVI) - s.MNOZSTVI
        FROM s
        WHERE p.ID_POLOZKA = s.ID_POLOZKA AND func_MNOZSTVI_PRESNE(p.MNOZSTVI) >= s.MNOZSTVI AND p.STATE_PLATNOST
          AND CASE WHEN pg_try_advisory_xact_lock_shared(hashtext('tab_polozka|SKLAD'), p.ID_SKLAD) THEN true
                   ELSE (SELECT true FROM tab_polozka_func_SDILET_SKLAD(p.ID_SKLAD)) END
        RETURNING p.ID_POLOZKA, (100.0 - s.SLEVA) / 100 * p.PRODEJ * s.MNOZSTVI AS CASTKA)
  SELECT count(*), count(*) FILTER (WHERE NOT MNOZSTVI > 0), array_agg(ID_POLOZKA), array_agg(SLEVA),
         array_agg(MNOZSTVI),
         (SELECT ID_KONTAKT FROM tab_kontakt WHERE lower(KONTAKT) = lower(p_odberatel)),
         EXISTS (SELECT FROM tab_prodej WHERE ID_PROCESS < pg_backend_pid())
           OR EXISTS (SELECT FROM tab_prodej WHERE ID_PROCESS > pg_backend_pid()),
         (SELECT array_agg(ID_POLOZKA) FROM u), (SELECT sum(round(CASTKA, 2)) FROM u)
    INTO v_radky, v_spatne, v_polozky, v_slevy, v_mnozstvi, v_odberatel, v_cizi, v_vyskladnene, v_prodej
    FROM (SELECT * FROM k ORDER BY ID_PRODEJ) k;
  IF v_radky = 0 AND coalesce(p_radku, 0) = 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Košík je prázdný, není co prodat...';
  END IF;
  IF v_radky < p_radku THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Košík se mezitím změnil: jiná pokladna odebrala z katalogu některou z jeho položek.',
      DETAIL = 'Nic nebylo prodáno. Zkontrolujte košík a prodejte znovu.';
  END IF;
  IF v_odberatel IS NULL OR v_spatne > 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_historie [záznamy detailu dokladu]...';
  END IF;
  v_vyskladneno := coalesce(cardinality(v_vyskladnene), 0);
  IF v_vyskladneno < v_radky AND p_radku IS NOT NULL THEN
    -- Lines of items no longer in the database that the till does not show
    -- (its lines are p_radku, all sold) go with the basket; a line it shows
    -- is refused below.
    SELECT count(*) INTO v_sirotci FROM unnest(v_polozky) k (ID_POLOZKA)
      WHERE NOT EXISTS (SELECT FROM tab_polozka p WHERE p.ID_POLOZKA = k.ID_POLOZKA);
    IF v_vyskladneno <> p_radku OR v_radky - v_sirotci <> p_radku THEN
      v_sirotci := 0;
    END IF;
  END IF;
  IF v_vyskladneno < v_radky - v_sirotci THEN
    -- An item whose stock was found short before its store was tried is
    -- no shortfall while a replace-all import holds the store.
    PERFORM tab_polozka_func_SDILET_SKLAD(ID_SKLAD) FROM tab_polozka
      WHERE ID_POLOZKA = ANY (v_polozky) AND ID_POLOZKA <> ALL (coalesce(v_vyskladnene, '{}'));
    -- The items whose stock did not cover the line, each with what is left
    -- of it now (another till may have sold it meanwhile), so the till can
    -- tell the customer; an item that left the catalogue says so, and that
    -- its line is to be taken out.
    SELECT string_agg(CASE WHEN p.STATE_PLATNOST
                        THEN format('Položka [%s] %s: na skladě zbývá %s %s, prodává se %s %s.', p.OZNACENI,
                                    p.POLOZKA, replace(trim_scale(func_MNOZSTVI_PRESNE(p.MNOZSTVI))::text, '.', ','),
                                    j.JEDNOTKA, replace(trim_scale(func_MNOZSTVI_PRESNE(k.MNOZSTVI))::text, '.', ','),
                                    j.JEDNOTKA)
                        ELSE tab_prodej_func_ODEBRANA(k.ID_POLOZKA) || ' Odeberte ji z košíku.' END,
                      E'\n' ORDER BY k.PORADI),
           bool_or(p.STATE_PLATNOST)
      INTO v_chybi, v_malo
      FROM unnest(v_polozky, v_mnozstvi) WITH ORDINALITY AS k (ID_POLOZKA, MNOZSTVI, PORADI)
      LEFT JOIN tab_polozka p ON p.ID_POLOZKA = k.ID_POLOZKA
      LEFT JOIN tab_jednotka j ON j.ID_JEDNOTKA = p.ID_JEDNOTKA
      WHERE k.ID_POLOZKA <> ALL (coalesce(v_vyskladnene, '{}'));
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Chyba při zápisu do tab_polozka [záznamy o vyskladnění položek]...',
      DETAIL = concat_ws(E'\n', CASE WHEN v_malo THEN 'Na skladě není dost některé z prodávaných položek.'
                                     ELSE 'Některá z prodávaných položek již v katalogu není.' END, v_chybi);
  END IF;
  -- The basket sold goes; the items are held, so no other till took a line
  -- out meanwhile.
  DELETE FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid();
  GET DIAGNOSTICS v_zapsano = ROW_COUNT;
  IF v_zapsano <> v_radky THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Chyba při mazání tab_prodej [mazání právě prodávaných položek]...';
  END IF;
  IF v_cizi THEN
    PERFORM tab_prodej_func_VYCISTIT();
  END IF;

  -- The document, and its numbers from the counters as the advance leaves
  -- them (as tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY and ..._VYTISTENY
  -- advance them; a printed counter of 0 does not advance).
  WITH d AS (INSERT INTO tab_doklad (SLEVA) VALUES (p_sleva) RETURNING ID_DOKLAD)
  UPDATE tab_oznaceni_doklad
    SET PORADI_DOKLAD_NETISTENY = PORADI_DOKLAD_NETISTENY + 1,
        PORADI_DOKLAD_VYTISTENY = PORADI_DOKLAD_VYTISTENY + CASE WHEN p_tisk THEN 1 ELSE 0 END
    WHERE ID_OZNACENI_DOKLAD = p_id_operace AND (NOT p_tisk OR PORADI_DOKLAD_VYTISTENY <> 0)
    RETURNING (SELECT ID_DOKLAD FROM d),
              func_CISLO_DOKLADU(OZNACENI_DOKLAD, OZNACENI_ODDELOVAC, OZNACENI_ROK, OZNACENI_MESIC, OZNACENI_DEN,
                                 PORADI_ZAROVNANI, PORADI_DOKLAD_NETISTENY - 1),
              CASE WHEN p_tisk
                THEN func_CISLO_DOKLADU(OZNACENI_DOKLAD, OZNACENI_ODDELOVAC, OZNACENI_ROK, OZNACENI_MESIC,
                                        OZNACENI_DEN, PORADI_ZAROVNANI, PORADI_DOKLAD_VYTISTENY - 1)
                ELSE '-' END
    INTO v_doklad, v_netisteny, v_vytisteny;
  IF NOT FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Chyba při zápisu do tab_oznaceni_doklad [záznam následujícího dokladu]...';
  END IF;
  IF v_doklad IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Chyba při zakládání nového dokladu [záznam hlavičky dokladu]...';
  END IF;
  IF v_netisteny IS NULL OR v_vytisteny IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_historie [záznamy detailu dokladu]...';
  END IF;

  -- The lines in the basket's order from the items as they stand (the join
  -- walks the basket in its order, so nothing is sorted).
  INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL,
    ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD,
    POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
    SELECT v_doklad, p.ID_POLOZKA, p_id_operace, p.ID_SKLAD, p.ID_KATEGORIE, p.ID_DODAVATEL, v_odberatel,
           p.ID_DPH, p.ID_JEDNOTKA, 0, v_netisteny, v_vytisteny, p.OZNACENI, p.KOD, p.POLOZKA, p.SPECIFIKACE,
           p.ZARUKA, p.NAKUP, p.PRODEJ, k.SLEVA, k.MNOZSTVI, p.ZASOBA, p.MINIMUM, p.NASOBNE,
           uzivatel_func_AKTIVNI_LOGIN()
    FROM unnest(v_polozky, v_slevy, v_mnozstvi) WITH ORDINALITY AS k (ID_POLOZKA, SLEVA, MNOZSTVI, PORADI)
    JOIN tab_polozka p ON p.ID_POLOZKA = k.ID_POLOZKA
    ORDER BY k.PORADI;
  GET DIAGNOSTICS v_zapsano = ROW_COUNT;
  IF v_zapsano < v_radky - v_sirotci THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_historie [záznamy detailu dokladu]...';
  END IF;

  IF p_id_operace = 1
     AND tab_pokladna_POHYB(1, v_netisteny, v_vytisteny, tab_doklad_func_K_UHRADE(v_prodej, p_sleva)) IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_pokladna [záznam pokladního pohybu]...';
  END IF;
  RETURN v_doklad;
END
$$
GO
CREATE FUNCTION tab_doklad_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_doklad $$
GO
-- A sale (operation 1 to 3) not yet cancelled.
CREATE FUNCTION tab_doklad_LZE_STORNOVAT(p_id_doklad_prodej integer) RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT CASE WHEN EXISTS (SELECT 1 FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej
                                 AND ID_OPERACE BETWEEN 1 AND 3 AND STATE_STAV) THEN 1 ELSE 0 END $$
GO
-- Cancels a sale: its lines are marked, the stock returns, a cancellation
-- document copies the lines with negative quantities, and a cash receipt's
-- money leaves the till. The sale's lines are locked and checked first, so a
-- document is never cancelled twice. An item removed since the sale is
-- valid again; with a _POVINNE flag set, not beside another valid item that
-- has since taken its label, code or name: the cancellation is refused, as
-- the item card refuses such a value, and the user renames one of them first.
CREATE FUNCTION tab_doklad_STORNO(p_id_doklad_prodej integer, p_oznaceni_povinne boolean DEFAULT false,
    p_kod_povinne boolean DEFAULT false, p_polozka_povinne boolean DEFAULT false) RETURNS integer
  LANGUAGE plpgsql
  AS $$
DECLARE
  v_vracene integer[];
  v_polozka record;
  v_storno integer;
  v_operace integer;
  v_netisteny varchar;
  v_vytisteny varchar;
  v_radky integer;
  v_polozky integer;
  v_zapsano integer;
  v_pohyb numeric;
BEGIN
  PERFORM 1 FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej ORDER BY ID_HISTORIE FOR UPDATE;
  IF tab_doklad_LZE_STORNOVAT(p_id_doklad_prodej) = 0 THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Doklad nelze stornovat [doklad není prodejem nebo už byl stornován]...';
  END IF;
  SELECT min(ID_OPERACE) + 3, min(DOKLAD_NETISTENY), min(DOKLAD_VYTISTENY), count(*), count(DISTINCT ID_POLOZKA)
    INTO v_operace, v_netisteny, v_vytisteny, v_radky, v_polozky
    FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej;
  -- The items' stores before the items: a replace-all import holding one has its items locked.
  PERFORM tab_polozka_func_SDILET_SKLADY(ARRAY(
    SELECT DISTINCT ID_SKLAD FROM tab_polozka
      WHERE ID_POLOZKA IN (SELECT ID_POLOZKA FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej)));
  PERFORM 1 FROM tab_polozka
    WHERE ID_POLOZKA IN (SELECT ID_POLOZKA FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej)
    ORDER BY ID_POLOZKA FOR UPDATE;
  IF coalesce(p_oznaceni_povinne, false) OR coalesce(p_kod_povinne, false) OR coalesce(p_polozka_povinne, false) THEN
    SELECT array_agg(ID_POLOZKA ORDER BY ID_POLOZKA) INTO v_vracene FROM tab_polozka
      WHERE ID_POLOZKA IN (SELECT ID_POLOZKA FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej)
        AND NOT STATE_PLATNOST;
  END IF;
  IF v_vracene IS NOT NULL THEN
    PERFORM tab_polozka_func_ZAMKNOUT(min(ID_SKLAD),
              array_agg(OZNACENI) FILTER (WHERE p_oznaceni_povinne), array_agg(KOD) FILTER (WHERE p_kod_povinne),
              array_agg(POLOZKA) FILTER (WHERE p_polozka_povinne))
      FROM tab_polozka WHERE ID_POLOZKA = ANY (v_vracene) GROUP BY ID_SKLAD ORDER BY ID_SKLAD;
  END IF;

  INSERT INTO tab_doklad (SLEVA) SELECT SLEVA FROM tab_doklad WHERE ID_DOKLAD = p_id_doklad_prodej
    RETURNING ID_DOKLAD INTO v_storno;
  IF v_storno IS NULL THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_doklad [záznam hlavičky dokladu]...';
  END IF;

  UPDATE tab_historie SET STATE_STAV = false, REF_ID_DOKLAD = v_storno WHERE ID_DOKLAD = p_id_doklad_prodej;
  GET DIAGNOSTICS v_zapsano = ROW_COUNT;
  IF v_zapsano < v_radky THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_historie [záznamy detailu dokladu]...';
  END IF;

  UPDATE tab_polozka p SET MNOZSTVI = func_MNOZSTVI_PRESNE(p.MNOZSTVI) + h.MNOZSTVI, STATE_PLATNOST = true
    FROM (SELECT ID_POLOZKA, sum(func_MNOZSTVI_PRESNE(MNOZSTVI)) AS MNOZSTVI FROM tab_historie
          WHERE ID_DOKLAD = p_id_doklad_prodej GROUP BY ID_POLOZKA) h
    WHERE p.ID_POLOZKA = h.ID_POLOZKA;
  GET DIAGNOSTICS v_zapsano = ROW_COUNT;
  IF v_zapsano < v_polozky THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = 'Chyba při zápisu do tab_polozka [záznamy o naskladnění položek]...';
  END IF;
  SELECT p.ID_POLOZKA, p.POLOZKA, v.DRUH, v.HODNOTA INTO v_polozka
    FROM tab_polozka p
      CROSS JOIN LATERAL (VALUES (1, p.OZNACENI, p_oznaceni_povinne), (2, p.KOD, p_kod_povinne),
                                 (3, p.POLOZKA, p_polozka_povinne)) v (DRUH, HODNOTA, POVINNE)
    WHERE p.ID_POLOZKA = ANY (v_vracene) AND v.POVINNE AND coalesce(v.HODNOTA, '') <> ''
      AND CASE v.DRUH WHEN 1 THEN tab_polozka_OZNACENI_EXISTUJE_2(p.ID_SKLAD, p.ID_POLOZKA, v.HODNOTA)
                      WHEN 2 THEN tab_polozka_KOD_EXISTUJE_2(p.ID_SKLAD, p.ID_POLOZKA, v.HODNOTA)
                      ELSE tab_polozka_POLOZKA_EXISTUJE_2(p.ID_SKLAD, p.ID_POLOZKA, v.HODNOTA) END > 0
    ORDER BY p.ID_POLOZKA, v.DRUH LIMIT 1;
  IF FOUND THEN
    RAISE EXCEPTION USING ERRCODE = '50000',
      MESSAGE = (ARRAY['Označení položky již existuje...', 'Kód již existuje...', 'Existující položka...'])[v_polozka.DRUH],
      DETAIL = format('Storno by vrátilo odebranou položku „%s“ (ID: %s), jejíž %s „%s“ má nyní jiná platná položka. '
                      'Změňte %s jedné z nich a storno opakujte.', v_polozka.POLOZKA, v_polozka.ID_POLOZKA,
                      (ARRAY['označení', 'kód', 'název'])[v_polozka.DRUH], v_polozka.HODNOTA,
                      (ARRAY['označení', 'kód', 'název'])[v_polozka.DRUH]);
  END IF;

  INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL,
      ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD,
      POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
    SELECT v_storno, ID_POLOZKA, v_operace, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_ODBERATEL, ID_DPH,
           ID_JEDNOTKA, p_id_doklad_prodej, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD, POLOZKA,
           SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, -MNOZSTVI, ZASOBA, MINIMUM, NASOBNE,
           uzivatel_func_AKTIVNI_LOGIN()
    FROM tab_historie WHERE ID_DOKLAD = p_id_doklad_prodej ORDER BY ID_HISTORIE;
  GET DIAGNOSTICS v_zapsano = ROW_COUNT;
  IF v_zapsano < v_radky THEN
    RAISE EXCEPTION USING ERRCODE = '50000', MESSAGE = 'Chyba při zápisu do tab_historie [záznamy detailu dokladu]...';
  END IF;

  -- A cash receipt's money leaves the till as it came in: the sale's own
  -- movement turned round (written in the sale's transaction, so at its
  -- document's time), whatever rule worked it out; without one, the
  -- cancellation's total.
  IF v_operace = 4 THEN
    SELECT -p.POHYB INTO v_pohyb
      FROM tab_doklad d
        JOIN tab_pokladna p ON date_trunc('second', p.TIME_POKLADNA) = date_trunc('second', d.TIME)
                           AND p.TIME_POKLADNA = d.TIME
      WHERE d.ID_DOKLAD = p_id_doklad_prodej AND p.ID_OPERACE = 1
        AND p.DOKLAD_NETISTENY = v_netisteny AND p.DOKLAD_VYTISTENY = v_vytisteny
      ORDER BY p.ID_POKLADNA LIMIT 1;
    IF tab_pokladna_POHYB(4, v_netisteny, v_vytisteny, coalesce(v_pohyb, tab_doklad_func_CASTKA(v_storno))) IS NULL THEN
      RAISE EXCEPTION USING ERRCODE = '50000',
        MESSAGE = 'Chyba při zápisu do tab_pokladna [záznam pokladního pohybu]...';
    END IF;
  END IF;
  RETURN v_storno;
END
$$
GO
CREATE FUNCTION tab_historie_POCET() RETURNS integer
  LANGUAGE sql STABLE
  AS $$ SELECT count(*)::integer FROM tab_historie $$
GO
-- Every user of the database may read and write everything but the rights:
-- those only the owner (and server superusers) may change, so nobody grants
-- himself a right, whatever the client sends. The program checks the rights.
DO $$
BEGIN
  EXECUTE format('GRANT USAGE ON SCHEMA public TO %I', current_database());
  EXECUTE format('GRANT ALL ON ALL TABLES IN SCHEMA public TO %I', current_database());
  EXECUTE format('REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON tab_uzivatel_opravneni FROM %I', current_database());
  EXECUTE format('GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO %I', current_database());
  EXECUTE format('GRANT EXECUTE ON ALL FUNCTIONS IN SCHEMA public TO %I', current_database());
  EXECUTE format('GRANT USAGE ON SCHEMA interni TO %I', current_database());
  EXECUTE format('GRANT ALL ON ALL TABLES IN SCHEMA interni TO %I', current_database());
  EXECUTE format('GRANT ALL ON ALL SEQUENCES IN SCHEMA interni TO %I', current_database());
END
$$
GO
