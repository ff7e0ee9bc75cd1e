SELECT tab_sklad.ID_SKLAD, tab_sklad.ID_KATEGORIE, tab_sklad.STATE_VYCHOZI, tab_sklad.SKLAD,
  tab_kategorie_func_PATH_KATEGORIE(tab_sklad.ID_KATEGORIE) AS KATEGORIE
FROM tab_sklad
ORDER BY %ORDER_BY
