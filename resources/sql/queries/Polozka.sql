-- The items the list shows, each once: the filter tests each item (a filter
-- that speaks of the items' history lines comes as a test over the item's
-- lines, which the data module makes of it); the lines are never joined to
-- the list. Nothing here stops the server from reading the items in parallel:
-- the category paths come in as two arrays computed once before the scan, and
-- the exact quantity is written out rather than called (its function is not
-- marked parallel safe, and a call anywhere keeps the whole statement serial).
--
-- The category's path as tab_kategorie_func_PATH_KATEGORIE gives it, walked
-- up at once for every category of the items in the store's branch: the
-- names from the category up to the root (1), '<neplatná>' when the category
-- is missing or its own name empty, or when the root is not reached within
-- 1000 steps.
WITH RECURSIVE cesty(ID_OD, ID_KATEGORIE, ID_NADKATEGORIE, CESTA, HLOUBKA) AS (
  SELECT kategorie.ID_KATEGORIE, kategorie.ID_KATEGORIE, kategorie.ID_NADKATEGORIE, kategorie.KATEGORIE::varchar, 0
  FROM tab_kategorie kategorie
  WHERE kategorie.KATEGORIE <> '' AND kategorie.ID_KATEGORIE IN (
    SELECT tab_polozka.ID_KATEGORIE FROM tab_polozka
    WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
      AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE '')
  UNION ALL
  SELECT cesty.ID_OD, kategorie.ID_KATEGORIE, kategorie.ID_NADKATEGORIE,
    (kategorie.KATEGORIE || '\' || cesty.CESTA)::varchar, cesty.HLOUBKA + 1
  FROM cesty JOIN tab_kategorie kategorie ON kategorie.ID_KATEGORIE = cesty.ID_NADKATEGORIE
  WHERE cesty.ID_KATEGORIE <> 1 AND cesty.HLOUBKA < 1000)
SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
  tab_polozka.ID_DODAVATEL, tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA,
  tab_polozka.PATH_ID_KATEGORIE, tab_polozka.STATE_PLATNOST,
  tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE,
  tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA,
  tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE, tab_polozka.ZASOBA,
  tab_dph.DPH, tab_sklad.SKLAD,
  coalesce(cesta_kategorie.CESTA_KATEGORIE, '<neplatná>') AS KATEGORIE,
  tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  -- func_MNOZSTVI_PRESNE(tab_polozka.MNOZSTVI), as its body reads
  CAST(tab_polozka.NAKUP *
       CASE WHEN abs(tab_polozka.MNOZSTVI::real) < 1e11::real
         THEN (sign(tab_polozka.MNOZSTVI::real) * floor(abs(tab_polozka.MNOZSTVI::real)::float8 * 10000 + 0.5))::bigint
              * 0.0001
         ELSE round(tab_polozka.MNOZSTVI::real::float8::numeric, 4) END AS numeric(19,4)) AS NAKUP_CELKEM
FROM tab_polozka
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  LEFT JOIN unnest((SELECT array_agg(cesty.ID_OD ORDER BY cesty.ID_OD) FROM cesty WHERE cesty.ID_KATEGORIE = 1),
                   (SELECT array_agg(cesty.CESTA ORDER BY cesty.ID_OD) FROM cesty WHERE cesty.ID_KATEGORIE = 1))
    AS cesta_kategorie(ID_CESTA_KATEGORIE, CESTA_KATEGORIE)
    ON cesta_kategorie.ID_CESTA_KATEGORIE = tab_polozka.ID_KATEGORIE
WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
  AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
  AND (%WHERE_FILTER)
ORDER BY %ORDER_BY, tab_polozka.ID_POLOZKA
