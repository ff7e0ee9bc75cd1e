SELECT pg_stat_activity.pid AS ID, pg_stat_activity.usename AS UZIVATEL,
  coalesce((pg_blocking_pids(pg_stat_activity.pid))[1], 0) AS BLOKOVANY,
  CAST(pg_stat_activity.backend_start AS timestamp(0)) AS PRIHLASEN,
  CAST(pg_stat_activity.state_change AS timestamp(0)) AS POSLEDNI_OPERACE,
  CASE WHEN pg_stat_activity.xact_start IS NULL THEN 0 ELSE 1 END AS OTEVRENE_TRANSAKCE,
  coalesce(pg_stat_activity.client_hostname, host(pg_stat_activity.client_addr), 'localhost') AS STANICE,
  '-' AS MAC_ADRESA
FROM pg_stat_activity
WHERE pg_stat_activity.application_name = 'Tarmil'
  AND pg_stat_activity.datname = current_database()
ORDER BY %ORDER_BY
