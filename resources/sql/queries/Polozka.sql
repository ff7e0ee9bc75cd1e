-- The items the list shows, each once: the filter tests each item (a filter
-- that speaks of the items' history lines comes as a test over the item's
-- lines, which the data module makes of it); the lines are never joined to
-- the list.
WITH vybrane AS (
  SELECT tab_polozka.*
  FROM tab_polozka
    LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
    LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
    LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE
    LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
    LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
    AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
    AND (%WHERE_FILTER))
SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
  tab_polozka.ID_DODAVATEL, tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA,
  tab_polozka.PATH_ID_KATEGORIE, tab_polozka.STATE_PLATNOST,
  tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE,
  tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA,
  tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE, tab_polozka.ZASOBA,
  tab_dph.DPH, tab_sklad.SKLAD,
  cesta_kategorie.CESTA_KATEGORIE AS KATEGORIE,
  tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  CAST(tab_polozka.NAKUP * func_MNOZSTVI_PRESNE(tab_polozka.MNOZSTVI) AS numeric(19,4)) AS NAKUP_CELKEM
FROM vybrane tab_polozka
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  -- The category's path once for each category of the listed items, not
  -- once an item: each path walks the tree up to its root.
  LEFT JOIN (SELECT kategorie.ID_KATEGORIE AS ID_CESTA_KATEGORIE,
                    tab_kategorie_func_PATH_KATEGORIE(kategorie.ID_KATEGORIE) AS CESTA_KATEGORIE
             FROM (SELECT DISTINCT vybrane.ID_KATEGORIE FROM vybrane) kategorie) cesta_kategorie
    ON cesta_kategorie.ID_CESTA_KATEGORIE = tab_polozka.ID_KATEGORIE
ORDER BY %ORDER_BY, tab_polozka.ID_POLOZKA
