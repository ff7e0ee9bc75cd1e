-- The items the list shows, each once: the filter tests each item (a filter
-- that speaks of the items' history lines comes as a test over the item's
-- lines, which the data module makes of it); the lines are never joined to
-- the list. Nothing here keeps the server from reading the items in parallel:
-- the category paths come in as two arrays made once before the items are
-- read, and the exact quantity is written out rather than called (its
-- function is not marked parallel safe, and a call anywhere keeps the whole
-- statement serial).
--
-- @KLICE(the item's key) and @CELY_SEZNAM choose what is read: the whole
-- list, or the rows of some items alone (after a write changed them: the data
-- module puts them in their places among the rows it holds).
--
-- Each category's path as tab_kategorie_func_PATH_KATEGORIE names it: the
-- names from the root (1) down to the category, or '<neplatná>' when the
-- category is missing or has no name of its own, or when the root is not
-- reached within 1000 steps up. Two walks give the same paths; one of them
-- runs. When the whole list is read and the root is in the branch (the whole
-- store), the tree is walked down from the root, once for the whole tree;
-- otherwise (a branch, or the rows of some items) up from the categories of
-- the items read, so that a few items cost what they cost.
WITH RECURSIVE
  strom(ID_KATEGORIE, KATEGORIE, CESTA, HLOUBKA) AS (
    SELECT kategorie.ID_KATEGORIE, kategorie.KATEGORIE, kategorie.KATEGORIE::varchar, 0
    FROM tab_kategorie kategorie
    WHERE kategorie.ID_KATEGORIE = 1
      AND @CELY_SEZNAM AND '1\' LIKE :PATH_ID_KATEGORIE ESCAPE ''
    UNION ALL
    SELECT kategorie.ID_KATEGORIE, kategorie.KATEGORIE, (strom.CESTA || '\' || kategorie.KATEGORIE)::varchar,
      strom.HLOUBKA + 1
    FROM strom JOIN tab_kategorie kategorie ON kategorie.ID_NADKATEGORIE = strom.ID_KATEGORIE
    WHERE kategorie.ID_KATEGORIE <> 1 AND strom.HLOUBKA < 1000),
  vetev(ID_OD, ID_KATEGORIE, ID_NADKATEGORIE, CESTA, HLOUBKA) AS (
    SELECT kategorie.ID_KATEGORIE, kategorie.ID_KATEGORIE, kategorie.ID_NADKATEGORIE, kategorie.KATEGORIE::varchar, 0
    FROM tab_kategorie kategorie
    WHERE kategorie.KATEGORIE <> '' AND kategorie.ID_KATEGORIE IN (
        SELECT tab_polozka.ID_KATEGORIE FROM tab_polozka
        WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
          AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
          AND @KLICE(tab_polozka.ID_POLOZKA))
      AND NOT (@CELY_SEZNAM AND '1\' LIKE :PATH_ID_KATEGORIE ESCAPE '')
    UNION ALL
    SELECT vetev.ID_OD, kategorie.ID_KATEGORIE, kategorie.ID_NADKATEGORIE,
      (kategorie.KATEGORIE || '\' || vetev.CESTA)::varchar, vetev.HLOUBKA + 1
    FROM vetev JOIN tab_kategorie kategorie ON kategorie.ID_KATEGORIE = vetev.ID_NADKATEGORIE
    WHERE vetev.ID_KATEGORIE <> 1 AND vetev.HLOUBKA < 1000),
  cesty(ID_KATEGORIE, CESTA) AS (
    SELECT strom.ID_KATEGORIE, strom.CESTA FROM strom WHERE strom.KATEGORIE <> ''
    UNION ALL
    SELECT vetev.ID_OD, vetev.CESTA FROM vetev WHERE vetev.ID_KATEGORIE = 1)
SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
  tab_polozka.ID_DODAVATEL, tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA,
  tab_polozka.PATH_ID_KATEGORIE, tab_polozka.STATE_PLATNOST,
  tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE,
  tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA,
  tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE, tab_polozka.ZASOBA,
  tab_dph.DPH, tab_sklad.SKLAD,
  coalesce(cesta_kategorie.CESTA_KATEGORIE, '<neplatná>') AS KATEGORIE,
  tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  -- func_MNOZSTVI_PRESNE(tab_polozka.MNOZSTVI), as its body reads for a
  -- stock (not negative, finite)
  CAST(tab_polozka.NAKUP * (
  CASE WHEN tab_polozka.MNOZSTVI < 16777216::real THEN
        (CASE WHEN tab_polozka.MNOZSTVI < 1024::real THEN
             CASE WHEN abs(tab_polozka.MNOZSTVI::float8 * 10000 - floor(tab_polozka.MNOZSTVI::float8 * 10000 + 0.5)) > 0.45
                       AND (round(tab_polozka.MNOZSTVI::float8 * 100000) / 100000)::real = tab_polozka.MNOZSTVI
                       AND (round(tab_polozka.MNOZSTVI::float8 * 10000) / 10000)::real <> tab_polozka.MNOZSTVI
               THEN (round(tab_polozka.MNOZSTVI::float8 * 100000) + 5) / 10
               ELSE floor(tab_polozka.MNOZSTVI::float8 * 10000 + 0.5) END
           WHEN tab_polozka.MNOZSTVI < 16384::real THEN
             CASE WHEN (round(tab_polozka.MNOZSTVI::float8 * 1000) / 1000)::real = tab_polozka.MNOZSTVI
               THEN round(tab_polozka.MNOZSTVI::float8 * 1000) * 10
               ELSE round(tab_polozka.MNOZSTVI::float8 * 10000) END
           WHEN round(tab_polozka.MNOZSTVI::float8)::real = tab_polozka.MNOZSTVI THEN round(tab_polozka.MNOZSTVI::float8) * 10000
           WHEN (round(tab_polozka.MNOZSTVI::float8 * 10) / 10)::real = tab_polozka.MNOZSTVI
             THEN round(tab_polozka.MNOZSTVI::float8 * 10) * 1000
           WHEN (round(tab_polozka.MNOZSTVI::float8 * 100) / 100)::real = tab_polozka.MNOZSTVI
             THEN round(tab_polozka.MNOZSTVI::float8 * 100) * 100
           ELSE round(tab_polozka.MNOZSTVI::float8 * 1000) * 10 END)::bigint * 0.0001
      ELSE round(CASE
        WHEN (tab_polozka.MNOZSTVI::numeric - 0.5)::real = tab_polozka.MNOZSTVI
            AND (tab_polozka.MNOZSTVI::numeric + 0.5)::real = tab_polozka.MNOZSTVI
          THEN tab_polozka.MNOZSTVI::numeric
        WHEN (round(tab_polozka.MNOZSTVI::float8::numeric, 6 - floor(log(tab_polozka.MNOZSTVI::float8))::integer) - 0.5)::real = tab_polozka.MNOZSTVI
            AND (round(tab_polozka.MNOZSTVI::float8::numeric, 6 - floor(log(tab_polozka.MNOZSTVI::float8))::integer) + 0.5)::real = tab_polozka.MNOZSTVI
          THEN round(tab_polozka.MNOZSTVI::float8::numeric, 6 - floor(log(tab_polozka.MNOZSTVI::float8))::integer)
        WHEN (round(tab_polozka.MNOZSTVI::float8::numeric, 7 - floor(log(tab_polozka.MNOZSTVI::float8))::integer) - 0.5)::real = tab_polozka.MNOZSTVI
            AND (round(tab_polozka.MNOZSTVI::float8::numeric, 7 - floor(log(tab_polozka.MNOZSTVI::float8))::integer) + 0.5)::real = tab_polozka.MNOZSTVI
          THEN round(tab_polozka.MNOZSTVI::float8::numeric, 7 - floor(log(tab_polozka.MNOZSTVI::float8))::integer)
        ELSE round(tab_polozka.MNOZSTVI::float8::numeric, 8 - floor(log(tab_polozka.MNOZSTVI::float8))::integer) END, 4) END) AS numeric(19,4)) AS NAKUP_CELKEM
FROM tab_polozka
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  LEFT JOIN unnest((SELECT array_agg(cesty.ID_KATEGORIE ORDER BY cesty.ID_KATEGORIE) FROM cesty),
                   (SELECT array_agg(cesty.CESTA ORDER BY cesty.ID_KATEGORIE) FROM cesty))
    AS cesta_kategorie(ID_CESTA_KATEGORIE, CESTA_KATEGORIE)
    ON cesta_kategorie.ID_CESTA_KATEGORIE = tab_polozka.ID_KATEGORIE
WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
  AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
  AND @KLICE(tab_polozka.ID_POLOZKA)
  AND (%WHERE_FILTER)
ORDER BY %ORDER_BY, tab_polozka.ID_POLOZKA
