SELECT tab_prodej.ID_PRODEJ, tab_prodej.ID_POLOZKA,
  tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE, tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA,
  tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE,
  tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_prodej.SLEVA,
  tab_prodej.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE,
  tab_polozka.MNOZSTVI AS MNOZSTVI_SKLAD, tab_polozka.STATE_PLATNOST,
  tab_dph.DPH, tab_sklad.SKLAD,
  tab_kategorie_func_PATH_KATEGORIE(tab_polozka.ID_KATEGORIE) AS KATEGORIE,
  tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  -- The line as its document will print it: rounded once to the haler.
  CAST(round((100.0 - tab_prodej.SLEVA) / 100 * tab_polozka.PRODEJ
             * func_MNOZSTVI_PRESNE(tab_prodej.MNOZSTVI), 2) AS numeric(19,4)) AS PRODEJ_CELKEM
FROM tab_prodej
  JOIN tab_polozka ON tab_polozka.ID_POLOZKA = tab_prodej.ID_POLOZKA
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
WHERE tab_prodej.ID_PROCESS = pg_backend_pid()
  -- the whole basket, or the lines of some items alone
  AND @KLICE(tab_prodej.ID_POLOZKA)
  AND (current_setting('tarmil.kosik_vycisten', true) = 'ano'
       OR tab_prodej.ZALOZENO >= (SELECT backend_start FROM pg_stat_get_activity(pg_backend_pid())))
ORDER BY %ORDER_BY, tab_prodej.ID_POLOZKA
