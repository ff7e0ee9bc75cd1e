SELECT tab_sestava.ID_SESTAVA, tab_sestava.SESTAVA, tab_sestava.SOUBOR
FROM tab_sestava
ORDER BY %ORDER_BY
